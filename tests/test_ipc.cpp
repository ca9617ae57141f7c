#include "app/app.h"
#include "app/ipc.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Paths = std::vector<wxString>;

/// A document that only notes which file it was asked to open.
class HandedDocument : public wxDocument
{
    wxDECLARE_DYNAMIC_CLASS(HandedDocument);

public:
    bool OnOpenDocument(const wxString& filename) override
    {
        SetFilename(filename, true);
        return true;
    }
};
wxIMPLEMENT_DYNAMIC_CLASS(HandedDocument, wxDocument);

class HandedView : public wxView
{
    wxDECLARE_DYNAMIC_CLASS(HandedView);

public:
    void OnDraw(wxDC*) override {}
};
wxIMPLEMENT_DYNAMIC_CLASS(HandedView, wxView);

int FolderMode(const wxString& path)
{
    struct stat info;
    return lstat(path.fn_str(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

bool PathExists(const wxString& path)
{
    struct stat info;
    return lstat(path.fn_str(), &info) == 0;
}

/// Leaves a socket file at path as a crashed server would: bound, then closed.
void PlantStaleSocket(const wxString& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    strcpy(address.sun_path, path.fn_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
    close(fd);
}

/// Restores an environment variable when it goes out of scope.
class EnvRestorer
{
public:
    explicit EnvRestorer(const wxString& name) : m_name(name), m_had(wxGetEnv(name, &m_value)) {}
    ~EnvRestorer() { m_had ? wxSetEnv(m_name, m_value) : wxUnsetEnv(m_name); }

private:
    wxString m_name;
    wxString m_value;
    bool m_had;
};

/// Server and client in this one process: the client's waits dispatch the
/// server's socket events only while an event loop is active. A watchdog ends
/// the process should a wait ever block.
class HandOver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        alarm(60);
        m_activator.reset(new wxEventLoopActivator(&m_loop));
        wxGetApp().m_docManager = new myDocManager;
        new wxDocTemplate(wxGetApp().m_docManager, "Tovendal", "*.tovendal", "", "tovendal",
                          "Plan Doc", "Text View", CLASSINFO(HandedDocument),
                          CLASSINFO(HandedView));
        m_address = MakeTempDir() + "/handover.socket";
    }

    void TearDown() override
    {
        delete wxGetApp().m_docManager;
        wxGetApp().m_docManager = nullptr;
        m_activator.reset();
        alarm(0);
    }

    /// The files of the open documents, after events ran until count were open (5 s at most).
    Paths OpenedFiles(size_t count)
    {
        wxStopWatch watch;
        while (wxGetApp().m_docManager->GetDocumentsVector().size() < count && watch.Time() < 5000)
            RunEventsFor(20);
        RunEventsFor(50);
        Paths files;
        for (wxDocument* doc : wxGetApp().m_docManager->GetDocumentsVector())
            files.push_back(doc->GetFilename());
        return files;
    }

    /// One later start's conversation: connect, send the paths, disconnect.
    bool HandOverFiles(const wxString& service, const Paths& paths)
    {
        MyClient client;
        if (!client.Connect("localhost", service, "Open"))
            return false;
        for (const wxString& path : paths)
            client.m_connection->Execute(path);
        client.Disconnect();
        EXPECT_EQ(nullptr, client.m_connection);
        return true;
    }

    /// Hands a plan over to the server at address and checks that it alone was opened.
    void ExpectServed(const wxString& address)
    {
        const wxString plan = MakeTempDir() + "/plan.tovendal";
        ASSERT_TRUE(HandOverFiles(address, {plan}));
        EXPECT_EQ(Paths{plan}, OpenedFiles(1));
    }

    wxEventLoop m_loop;
    std::unique_ptr<wxEventLoopActivator> m_activator;
    wxString m_address;
};

} // namespace

TEST_F(HandOver, ExecuteOpensEachPathSilently)
{
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    const wxString first = MakeTempDir() + "/first plan.tovendal";
    const wxString second = MakeTempDir() + wxString::FromUTF8("/Pl\xc3\xa4ne \xe2\x82\xac.tovendal");
    ASSERT_TRUE(HandOverFiles(m_address, {first}));
    ASSERT_TRUE(HandOverFiles(m_address, {second}));
    EXPECT_EQ((Paths{first, second}), OpenedFiles(2));
    EXPECT_NE(nullptr, server.m_connection);
}

TEST_F(HandOver, ConversationWithoutPathsOpensNothing)
{
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    ASSERT_TRUE(HandOverFiles(m_address, {}));
    ASSERT_TRUE(HandOverFiles(m_address, {""}));
    // Handed over last, so once it is open the conversations before it are done.
    ExpectServed(m_address);
}

TEST_F(HandOver, OnlyTheTopicOpenIsAccepted)
{
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    for (const char* topic : {"open", "OPEN", "Open ", ""}) {
        SCOPED_TRACE(topic);
        MyClient client;
        EXPECT_FALSE(client.Connect("localhost", m_address, topic));
        EXPECT_EQ(nullptr, client.m_connection);
        EXPECT_EQ(nullptr, server.m_connection);
    }
    MyClient client;
    EXPECT_TRUE(client.Connect("localhost", m_address, "Open"));
    EXPECT_NE(nullptr, client.m_connection);
    EXPECT_NE(nullptr, server.m_connection);
}

TEST_F(HandOver, ServiceNameMapsToTheSameSocketOnBothSides)
{
    MyServer server;
    ASSERT_TRUE(server.Create(TOVENDAL_SERVICE_NAME));
    EXPECT_TRUE(PathExists(HandOverAddress()));
    ExpectServed(HandOverAddress());
}

TEST_F(HandOver, NoServerMeansNoConnection)
{
    MyClient client;
    EXPECT_FALSE(client.Connect("localhost", m_address, "Open"));
    PlantStaleSocket(m_address);
    EXPECT_FALSE(client.Connect("localhost", m_address, "Open"));
    EXPECT_EQ(nullptr, client.m_connection);
}

TEST_F(HandOver, StaleSocketIsReplaced)
{
    PlantStaleSocket(m_address);
    MyServer server;
    ASSERT_TRUE(server.Create(m_address));
    ExpectServed(m_address);
}

TEST_F(HandOver, LiveServerKeepsItsSocket)
{
    MyServer first;
    ASSERT_TRUE(first.Create(m_address));
    {
        MyServer second;
        EXPECT_FALSE(second.Create(m_address));
    }
    ExpectServed(m_address);
}

TEST_F(HandOver, FileThatIsNoSocketIsLeftAlone)
{
    wxFFile(m_address, "w").Write("keep me");
    MyServer server;
    EXPECT_FALSE(server.Create(m_address));
    EXPECT_EQ(7, wxFileName::GetSize(m_address).GetValue());
}

TEST(HandOverAddress, LiesInTheUsersPrivateRuntimeFolder)
{
    wxString runtime;
    ASSERT_TRUE(wxGetEnv("XDG_RUNTIME_DIR", &runtime));
    EXPECT_EQ(runtime + "/Halvorix_Tovendal.socket", HandOverAddress());
    EXPECT_EQ(runtime + "/a_.._b_c.socket", HandOverAddress("a/../b c"));
    EXPECT_EQ("", HandOverAddress(""));
}

TEST(HandOverAddress, FallsBackToAPrivateTmpFolder)
{
    EnvRestorer restore("XDG_RUNTIME_DIR");
    const wxString shared = MakeTempDir();
    chmod(shared.fn_str(), 0755);
    const wxString fallback = wxString::Format("/tmp/tovendal-%lu", (unsigned long)getuid());
    for (const wxString& runtime : {shared, wxString("relative/dir"), wxString()}) {
        SCOPED_TRACE(runtime);
        runtime.empty() ? wxUnsetEnv("XDG_RUNTIME_DIR") : wxSetEnv("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(fallback + "/Halvorix_Tovendal.socket", HandOverAddress());
        EXPECT_EQ(0700, FolderMode(fallback));
    }
    EXPECT_EQ(0755, FolderMode(shared));
}

TEST(HandOverAddress, OnlyPrivateFoldersAreUsed)
{
    const wxString base = MakeTempDir();
    const wxString open = base + "/open";
    mkdir(open.fn_str(), 0755);
    const wxString file = base + "/file";
    wxFFile(file, "w").Write("x");
    const wxString link = base + "/link";
    symlink(MakeTempDir().fn_str(), link.fn_str());
    const wxString foreign = base + "/foreign";
    mkdir(foreign.fn_str(), 0700);
    const bool canChown = chown(foreign.fn_str(), 65534, 65534) == 0;

    const wxString fresh = base + "/fresh";
    EXPECT_EQ(fresh, PrivateFolder(fresh));
    EXPECT_EQ(0700, FolderMode(fresh));
    EXPECT_EQ(fresh, PrivateFolder(fresh));

    for (const wxString& refused : {open, file, link, base + "/missing/child", wxString()}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ("", PrivateFolder(refused));
    }
    EXPECT_EQ(0755, FolderMode(open));
    if (canChown) {
        EXPECT_EQ("", PrivateFolder(foreign));
    }
}
