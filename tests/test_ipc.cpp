#include "app/app.h"
#include "app/ipc.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/stopwatch.h>

#include <gtest/gtest.h>

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

    // One later start's conversation, sending paths; then the files opened so far (waits 5 s at
    // most for count).
    const auto handOver = [&manager](const Paths& paths, size_t count) {
        MyClient client;
        EXPECT_TRUE(client.Connect("localhost", TOVENDAL_SERVICE_NAME, "Open"));
        for (size_t i = 0; client.m_connection && i < paths.size(); ++i)
            client.m_connection->Execute(paths[i]);
        client.Disconnect();
        for (wxStopWatch watch; manager.m_files.size() < count && watch.Time() < 5000;)
            RunEventsFor(20);
        return manager.m_files;
    };
    const wxString plan = wxString::FromUTF8("/tmp/Pl\xc3\xa4ne \xe2\x82\xac.tovendal");
    EXPECT_EQ(Paths{"/a.tovendal"}, handOver({"/a.tovendal", ""}, 1));
    EXPECT_EQ((Paths{"/a.tovendal", plan}), handOver({plan}, 2));
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

    // A runtime folder others can enter is passed over for a private one in /tmp.
    const wxString runtime = wxGetenv("XDG_RUNTIME_DIR");
    wxSetEnv("XDG_RUNTIME_DIR", open);
    const wxString fallback = wxString::Format("/tmp/tovendal-%lu", (unsigned long)getuid());
    EXPECT_EQ(fallback, InstanceFolder());
    EXPECT_EQ(fallback + "/Halvorix_Tovendal-" + InstanceKey() + ".socket", HandOverAddress());
    EXPECT_EQ(0700, FolderMode(fallback));
    wxSetEnv("XDG_RUNTIME_DIR", runtime);
}
