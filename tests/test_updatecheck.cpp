// The update check against a real HTTP server on the loopback address.
#include "app/updatecheck.h"

#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/url.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

/// A loopback server giving each request one canned answer. Without an answer it
/// accepts nothing, so connections wait unanswered; not listening, it is down.
struct LoopbackServer
{
    explicit LoopbackServer(const std::string& answer, bool listening = true)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_url = wxString::Format("http://127.0.0.1:%d/versions.txt", ntohs(address.sin_port));
        if (listening)
            listen(m_socket, 4);
        m_thread = std::thread([this, answer] {
            for (int client; !answer.empty() && (client = accept(m_socket, nullptr, nullptr)) >= 0; close(client)) {
                char request[4096];
                const timeval wait{2, 0};
                setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
                (void)recv(client, request, sizeof request, 0);
                (void)send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
        });
    }

    ~LoopbackServer()
    {
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }

    const int m_socket = socket(AF_INET, SOCK_STREAM, 0);
    wxString m_url;
    std::thread m_thread;
};

const std::string kOk = "HTTP/1.0 200 OK\r\n\r\n";

} // namespace

TEST(UpdateCheck, ComparesTheListedVersionAsTextAndNeverClaimsAnUpdateWhenNothingWasLearned)
{
    struct Case { std::string answer; bool listening; const char* entry; bool update; const char* listed; };
    const Case cases[] = {
        {kOk + "tovendal=4.1.7\n", true, "tovendal", false, "4.1.7"},
        {kOk + "tovendal=4.0.0\n", true, "tovendal", true, "4.0.0"},
        {kOk + "tovendal=4.1.7.0\n", true, "tovendal", true, "4.1.7.0"},
        {kOk + "other=1.0\r\ntovendal=4.2.0\r\n[group]\nx=1\n", true, "tovendal", true, "4.2.0"},
        {kOk + "[products]\ntovendal=4.1.7\n", true, "tovendal", true, ""},
        {kOk + "other=1.0\nTovendal=4.1.7\n", true, "", false, "4.1.7"}, // the InternalName entry
        {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", true, "tovendal", false, ""},
        {"", false, "tovendal", false, ""}, // server down
        {"", true, "tovendal", false, ""},  // server that never answers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        LoopbackServer server(c.answer, c.listening);
        UpdateCheckInfo check;
        wxStopWatch watch;
        EXPECT_EQ(c.update, check.IsUpdateAvailable(wxURL(server.m_url), c.entry));
        EXPECT_EQ(c.listed, check.m_listedVersion);
        EXPECT_EQ(c.answer.find(" 200 ") == std::string::npos, check.m_checkFailed);
        EXPECT_LT(watch.Time(), (UPDATE_CHECK_TIMEOUT + 2) * 1000);
    }
    UpdateCheckInfo check;
    EXPECT_FALSE(check.IsUpdateAvailable(wxURL("no scheme at all"), "tovendal"));
    EXPECT_TRUE(check.m_checkFailed);
}

TEST(UpdateAvailableDialog, ShowsTheTextAndTheLinkToTheDownloadPage)
{
    Updateavailable dialog(nullptr, ID_UPDATE_DIALOG, "Update available", wxDefaultPosition,
                           wxSize(400, 300), wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU);
    wxString text = wxStaticCast(dialog.FindWindow(wxID_STATIC), wxStaticText)->GetLabel();
    text.Replace("\n", " ");
    EXPECT_EQ("An new version is available. Click the link to download the new setup program.", text);
    const wxHyperlinkCtrl* link = wxStaticCast(dialog.FindWindow(ID_UPDATE_HYPERLINK), wxHyperlinkCtrl);
    EXPECT_EQ(DownloadPageAddress(), link->GetURL());
    EXPECT_EQ(DownloadPageAddress(), link->GetLabel());
    EXPECT_TRUE(DownloadPageAddress().EndsWith("/ftppage.html"));
}
