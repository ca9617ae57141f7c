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

/// Notes the files it is asked to open, and that it was asked silently.
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

/// Server and client in this one process: the client's waits dispatch the
/// server's socket events only while an event loop is active. A watchdog ends
/// the process should a wait ever block.
class HandOver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        alarm(60);
        wxGetApp().m_docManager = &m_manager;
    }

    void TearDown() override
    {
        wxGetApp().m_docManager = nullptr;
        alarm(0);
    }

    /// One later start's conversation; then the files handed over so far, once count arrived (5 s at most).
    Paths HandOverFiles(const wxString& service, const Paths& paths, size_t count)
    {
        MyClient client;
        EXPECT_TRUE(client.Connect("localhost", service, "Open"));
        for (size_t i = 0; client.m_connection && i < paths.size(); ++i)
            client.m_connection->Execute(paths[i]);
        client.Disconnect();
        wxStopWatch watch;
        while (m_manager.m_files.size() < count && watch.Time() < 5000)
            RunEventsFor(20);
        RunEventsFor(50);
        return m_manager.m_files;
    }

    wxEventLoop m_loop;
    wxEventLoopActivator m_activator{&m_loop};
    HandedFiles m_manager;
    const wxString m_address = MakeTempDir() + "/handover.socket";
};

} // namespace

TEST_F(HandOver, ExecuteOpensEachPathSilently)
{
    MyServer server;
    ASSERT_TRUE(server.Create(TOVENDAL_SERVICE_NAME));
    const wxString plan = wxString::FromUTF8("/tmp/Pl\xc3\xa4ne \xe2\x82\xac.tovendal");
    EXPECT_EQ((Paths{"/a.tovendal", plan}), HandOverFiles(TOVENDAL_SERVICE_NAME, {"/a.tovendal", "", plan}, 2));
}

TEST_F(HandOver, OnlyTheTopicOpenIsAccepted)
{
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    for (const wxString topic : {"open", "Open ", "", "Open"}) {
        MyClient client;
        EXPECT_EQ(topic == "Open", client.Connect("localhost", m_address, topic)) << topic;
        EXPECT_EQ(topic == "Open", server.m_connection != nullptr) << topic;
    }
}

TEST_F(HandOver, StaleSocketIsReplacedButALiveOneKept)
{
    // Left as a crashed server leaves it: bound, then closed.
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    strcpy(address.sun_path, m_address.fn_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
    close(fd);
    EXPECT_FALSE(MyClient().Connect("localhost", m_address, "Open"));
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    EXPECT_FALSE(MyServer().Create(m_address));
    EXPECT_EQ(Paths{"/a.tovendal"}, HandOverFiles(m_address, {"/a.tovendal"}, 1));
}

TEST(HandOverAddress, OnlyPrivateFoldersAreUsed)
{
    const wxString fresh = MakeTempDir() + "/fresh";
    EXPECT_EQ(fresh, PrivateFolder(fresh));
    EXPECT_EQ(0700, FolderMode(fresh));
    const wxString open = MakeTempDir();
    chmod(open.fn_str(), 0755);
    EXPECT_EQ("", PrivateFolder(open));
    EXPECT_EQ("", PrivateFolder(fresh + "/missing/child"));
    EXPECT_EQ(0755, FolderMode(open));

    // A runtime folder others can enter is passed over for a private one in /tmp.
    wxString runtime;
    ASSERT_TRUE(wxGetEnv("XDG_RUNTIME_DIR", &runtime));
    EXPECT_EQ(runtime + "/Halvorix_Tovendal.socket", HandOverAddress());
    wxSetEnv("XDG_RUNTIME_DIR", open);
    const wxString fallback = wxString::Format("/tmp/tovendal-%lu", (unsigned long)getuid());
    EXPECT_EQ(fallback + "/Halvorix_Tovendal.socket", HandOverAddress());
    EXPECT_EQ(0700, FolderMode(fallback));
    wxSetEnv("XDG_RUNTIME_DIR", runtime);
}
