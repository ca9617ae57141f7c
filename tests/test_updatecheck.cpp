// The update check against a real HTTP server on the loopback address.
#include "app/updatecheck.h"
#include "app/app.h"

#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/url.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// Serves one canned answer to every request until stopped; a silent server
// accepts and never answers.
class LoopbackServer
{
public:
    explicit LoopbackServer(std::string response, bool silent = false)
        : m_response(std::move(response)), m_silent(silent)
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        socklen_t length = sizeof(address);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_socket, 4);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackServer()
    {
        m_stop = true;
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }

    wxString Url(const char* path = "/versions.txt") const
    {
        return wxString::Format("http://127.0.0.1:%d%s", m_port, path);
    }

private:
    void Serve()
    {
        while (!m_stop) {
            const int client = accept(m_socket, nullptr, nullptr);
            if (client < 0)
                return;
            char request[4096];
            timeval wait{ 2, 0 };
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait));
            (void)recv(client, request, sizeof(request), 0);
            if (m_silent) {
                while (!m_stop)
                    usleep(10000);
            } else {
                (void)send(client, m_response.data(), m_response.size(), MSG_NOSIGNAL);
            }
            close(client);
        }
    }

    std::string m_response;
    bool m_silent;
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{ false };
    std::thread m_thread;
};

// A loopback port that was free a moment ago.
int FreePort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

std::string Ok(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: "
           + std::to_string(body.size()) + "\r\n\r\n" + body;
}

struct ListCase
{
    const char* name;
    std::string body;
    bool update;
    const char* listed;
};

class UpdateCheckList : public ::testing::TestWithParam<ListCase> {};

} // namespace

TEST(UpdateCheck, RecordHoldsTheRunningProgramsVersion)
{
    UpdateCheckInfo check;
    EXPECT_EQ("4.1.7", check.m_currentVersion);
    EXPECT_EQ("Tovendal", check.m_internalName);
    EXPECT_TRUE(check.m_listedVersion.empty());
}

TEST_P(UpdateCheckList, ComparesTheListedVersionAsText)
{
    const ListCase& c = GetParam();
    LoopbackServer server(Ok(c.body));
    UpdateCheckInfo check;
    EXPECT_EQ(c.update, check.IsUpdateAvailable(wxURL(server.Url()), "tovendal"));
    EXPECT_EQ(c.listed, check.m_listedVersion);
    EXPECT_FALSE(check.m_checkFailed);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, UpdateCheckList,
    ::testing::Values(
        ListCase{ "equal", "tovendal=4.1.7\n", false, "4.1.7" },
        ListCase{ "older", "tovendal=4.0.0\n", true, "4.0.0" },
        ListCase{ "fourNumbers", "tovendal=4.1.7.0\n", true, "4.1.7.0" },
        ListCase{ "newerAmongOthers", "other=1.0\r\ntovendal=4.2.0\r\n[group]\nx=1\n", true,
                  "4.2.0" },
        ListCase{ "onlyInsideAGroup", "[products]\ntovendal=4.1.7\n", true, "" },
        ListCase{ "emptyList", "", true, "" }),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

TEST(UpdateCheck, EmptyEntryNameReadsTheInternalName)
{
    LoopbackServer server(Ok("other=1.0\nTovendal=4.1.7\n"));
    UpdateCheckInfo check;
    EXPECT_FALSE(check.IsUpdateAvailable(wxURL(server.Url()), wxString()));
    EXPECT_EQ("4.1.7", check.m_listedVersion);
}

TEST(UpdateCheck, NothingLearnedIsAFailureNotAnUpdate)
{
    {
        LoopbackServer notFound("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
        UpdateCheckInfo check;
        EXPECT_FALSE(check.IsUpdateAvailable(wxURL(notFound.Url()), "tovendal"));
        EXPECT_TRUE(check.m_checkFailed);
    }
    {
        // A port nobody listens on: the server is down.
        const int port = FreePort();
        UpdateCheckInfo check;
        wxStopWatch watch;
        EXPECT_FALSE(check.IsUpdateAvailable(
            wxURL(wxString::Format("http://127.0.0.1:%d/versions.txt", port)), "tovendal"));
        EXPECT_TRUE(check.m_checkFailed);
        EXPECT_LT(watch.Time(), 2000);
    }
    {
        UpdateCheckInfo check;
        EXPECT_FALSE(check.IsUpdateAvailable(wxURL("no scheme at all"), "tovendal"));
        EXPECT_TRUE(check.m_checkFailed);
    }
}

TEST(UpdateCheck, SilentServerIsGivenUpWithinSeconds)
{
    LoopbackServer silent("", true);
    UpdateCheckInfo check;
    wxStopWatch watch;
    EXPECT_FALSE(check.IsUpdateAvailable(wxURL(silent.Url()), "tovendal"));
    EXPECT_TRUE(check.m_checkFailed);
    EXPECT_LT(watch.Time(), (UPDATE_CHECK_TIMEOUT + 3) * 1000);
}

TEST(UpdateAvailableDialog, ShowsTextLinkAndButtonSizedToContents)
{
    Updateavailable dialog(nullptr, ID_UPDATE_DIALOG, "Update available", wxDefaultPosition,
                           wxSize(400, 300), wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU);
    wxStaticText* text = wxDynamicCast(dialog.FindWindow(wxID_STATIC), wxStaticText);
    ASSERT_NE(nullptr, text);
    wxString label = text->GetLabel();
    label.Replace("\n", " ");
    EXPECT_EQ("An new version is available. Click the link to download the new setup program.",
              label);
    EXPECT_LE(text->GetSize().x, 210);

    wxHyperlinkCtrl* link = wxDynamicCast(dialog.FindWindow(ID_UPDATE_HYPERLINK), wxHyperlinkCtrl);
    ASSERT_NE(nullptr, link);
    EXPECT_EQ(DownloadPageAddress(), link->GetURL());
    EXPECT_EQ(DownloadPageAddress(), link->GetLabel());
    EXPECT_TRUE(DownloadPageAddress().EndsWith("/ftppage.html"));
    EXPECT_TRUE(VersionsListAddress().EndsWith("/versions.txt"));
    EXPECT_NE(nullptr, dialog.FindWindow(wxID_OK));
    EXPECT_NE(wxSize(400, 300), dialog.GetSize());
}
