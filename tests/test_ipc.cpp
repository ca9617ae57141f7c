#include "app/app.h"
#include "app/ipc.h"
#include "app/mainframe.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/stopwatch.h>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Paths = std::vector<wxString>;

/// Notes the files it is asked to open, and whether it was asked silently.
class HandedFiles : public myDocManager
{
public:
    wxDocument* CreateDocument(const wxString& path, long flags) override
    {
        m_files.push_back(flags == wxDOC_SILENT ? path : "loudly: " + path);
        return nullptr;
    }
    Paths m_files;
};

int FolderMode(const wxString& path)
{
    struct stat info;
    return lstat(path.fn_str(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

TEST(HandOver, ServesInPlaceOfACrashedInstanceTakesOnlyTheTopicOpenAndOpensEachPathSilently)
{
    // Server and client in this one process: the client's waits dispatch the server's socket
    // events only while an event loop is active. A watchdog ends the process should a wait block.
    alarm(60);
    wxEventLoop loop;
    wxEventLoopActivator activator(&loop);
    HandedFiles manager;
    wxGetApp().m_docManager = &manager;
    TovendalMain* frame = new TovendalMain(&manager, nullptr, ID_MAIN_FRAME, "", wxDefaultPosition,
                                           wxSize(400, 500), wxDEFAULT_FRAME_STYLE);
    wxGetApp().SetTopWindow(frame);

    // The socket a crashed instance leaves: bound, then closed.
    sockaddr_un address{AF_UNIX, {}};
    strcpy(address.sun_path, HandOverAddress().fn_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
    close(fd);
    EXPECT_FALSE(MyClient().Connect("localhost", TOVENDAL_SERVICE_NAME, "Open"));

    MyServer server;
    ASSERT_TRUE(server.Create(TOVENDAL_SERVICE_NAME));
    EXPECT_FALSE(MyServer().Create(TOVENDAL_SERVICE_NAME));
    for (const wxString topic : {"open", "OPEN", "Open ", "Close", "", "Open"}) {
        MyClient client;
        EXPECT_EQ(topic == "Open", client.Connect("localhost", TOVENDAL_SERVICE_NAME, topic)) << topic;
        EXPECT_EQ(topic == "Open", server.m_connection != nullptr) << topic;
    }

    // One later start's conversation, handing paths over (or only sending them, without asking
    // for an answer); the files opened once the server has read the whole conversation (5 s at
    // most), then the answers.
    const auto handOver = [&manager, &server](const Paths& paths, bool ask = true) {
        MyClient client;
        EXPECT_TRUE(client.Connect("localhost", TOVENDAL_SERVICE_NAME, "Open"));
        wxString answers;
        for (size_t i = 0; client.m_connection && i < paths.size(); ++i) {
            if (ask)
                answers += client.m_connection->HandOver(paths[i]) ? "taken;" : "refused;";
            else
                client.m_connection->Execute(paths[i]);
        }
        client.Disconnect();
        for (wxStopWatch watch; server.m_connection->GetConnected() && watch.Time() < 5000;)
            RunEventsFor(20);
        Paths files = manager.m_files;
        files.push_back(answers);
        return files;
    };
    const wxString plan = wxString::FromUTF8("/tmp/Pl\xc3\xa4ne \xe2\x82\xac.tovendal");
    EXPECT_EQ((Paths{"/a.tovendal", "taken;refused;"}), handOver({"/a.tovendal", ""}));
    EXPECT_EQ((Paths{"/a.tovendal", plan, ""}), handOver({plan}, false));

    // Once the main frame has begun to close, a plan is refused, so that the later start opens
    // it itself; one sent without asking is dropped as well.
    wxCloseEvent close(wxEVT_CLOSE_WINDOW);
    frame->OnCloseWindow(close);
    ASSERT_TRUE(frame->IsClosing());
    EXPECT_EQ((Paths{"/a.tovendal", plan, "refused;"}), handOver({"/b.tovendal"}));
    EXPECT_EQ((Paths{"/a.tovendal", plan, ""}), handOver({"/c.tovendal"}, false));

    frame->Destroy();
    wxGetApp().ProcessIdle();
    wxGetApp().m_docManager = nullptr;
    alarm(0);
}

TEST(HandOverAddress, OnlyPrivateFoldersAreUsed)
{
    const wxString fresh = MakeTempDir() + "/fresh", open = MakeTempDir();
    EXPECT_EQ(fresh, PrivateFolder(fresh));
    EXPECT_EQ(0700, FolderMode(fresh));
    chmod(open.fn_str(), 0755);
    EXPECT_EQ("", PrivateFolder(open));
    EXPECT_EQ(0755, FolderMode(open));

    // A runtime folder others can enter is passed over for a private one in the temporary folder.
    const wxString runtime = wxGetenv("XDG_RUNTIME_DIR"), temp = MakeTempDir();
    wxString tmpdir;
    const bool hadTmpdir = wxGetEnv("TMPDIR", &tmpdir);
    wxSetEnv("XDG_RUNTIME_DIR", open);
    wxSetEnv("TMPDIR", temp);
    const wxString fallback = wxString::Format("%s/tovendal-%lu", temp, (unsigned long)getuid());
    EXPECT_EQ(fallback, InstanceFolder());
    EXPECT_EQ(fallback + "/Halvorix_Tovendal-" + InstanceKey() + ".socket", HandOverAddress());
    EXPECT_EQ(0700, FolderMode(fallback));

    // Anyone can make that name first: as a link, open to all, or (seen by root) as another
    // user's folder. Then a folder in the home is used, which no one else can make or change.
    const wxString home = TestHome() + "/.tovendal-" + wxGetHostName();
    wxFileName::Rmdir(fallback);
    const std::function<bool()> squatters[] = {
        [&] { return symlink(fresh.fn_str(), fallback.fn_str()) == 0; },
        [&] { return mkdir(fallback.fn_str(), 0700) == 0 && chmod(fallback.fn_str(), 0777) == 0; },
        [&] { return mkdir(fallback.fn_str(), 0700) == 0 && chown(fallback.fn_str(), 65534, 65534) == 0; },
    };
    for (size_t i = 0; i < std::size(squatters) - (getuid() == 0 ? 0 : 1); ++i) {
        ASSERT_TRUE(squatters[i]()) << i;
        EXPECT_EQ(home, InstanceFolder()) << i;
        EXPECT_EQ(home + "/Halvorix_Tovendal-" + InstanceKey() + ".socket", HandOverAddress()) << i;
        EXPECT_EQ(0700, FolderMode(home)) << i;
        EXPECT_EQ(0, remove(fallback.fn_str())) << i;
    }
    if (hadTmpdir)
        wxSetEnv("TMPDIR", tmpdir);
    else
        wxUnsetEnv("TMPDIR");
    wxSetEnv("XDG_RUNTIME_DIR", runtime);
}
