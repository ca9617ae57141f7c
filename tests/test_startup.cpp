// The built program as a process: its command line, its exit code and the hand-over from a
// later start to the running one. Every child runs with this test's HOME, runtime folder and
// display, so the children find each other as they would for one user.
#include "app/app.h"
#include "app/ipc.h"
#include "tests/privatedisplay.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/file.h>
#include <wx/fileconf.h>
#include <wx/msgdlg.h>
#include <wx/snglinst.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

/// HOME and the runtime folder a program starts with.
struct Session { wxString home, runtime; };

/// Makes the session this process's own; gives back the one it had.
Session Enter(const Session& session)
{
    Session was;
    wxGetEnv("HOME", &was.home);
    wxGetEnv("XDG_RUNTIME_DIR", &was.runtime);
    wxSetEnv("HOME", session.home);
    wxSetEnv("XDG_RUNTIME_DIR", session.runtime);
    return was;
}

/// Starts the built program in the folder, in this test's session unless another is given; its
/// messages go to the test's output.
pid_t Spawn(std::vector<const char*> args, const char* dir = "/", const Session* session = nullptr)
{
    args.insert(args.begin(), TOVENDAL_EXECUTABLE);
    args.push_back(nullptr);
    const Session was = session ? Enter(*session) : Session();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir) == 0)
            execv(args[0], const_cast<char**>(args.data()));
        _exit(127);
    }
    if (session)
        Enter(was);
    return pid;
}

/// The child's exit code once it has ended within 20 s (start-up and close are slow under the
/// sanitizers), else -1 and the child is killed. The program's -1 is the exit code 255. Events
/// run meanwhile, so the program running in this process answers hand-overs.
int WaitForExit(pid_t pid)
{
    int status = 0;
    for (wxStopWatch watch; watch.Time() < 20000; RunEventsFor(20)) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return desktoptest::Finish(pid, 0, SIGKILL);
}

/// Whether a program of the session takes hand-overs, as a later start of it would find.
bool Serves(const Session& session = {TestHome(), wxGetenv("XDG_RUNTIME_DIR")})
{
    const Session was = Enter(session);
    const bool serves = MyClient().Connect("localhost", TOVENDAL_SERVICE_NAME, "Open");
    Enter(was);
    return serves;
}

/// Whether the running program in this process has the plan open.
bool IsOpenHere(const wxString& path)
{
    const auto plans = wxGetApp().m_docManager->GetDocumentsVector();
    return std::any_of(plans.begin(), plans.end(), [&](const wxDocument* plan) { return plan->GetFilename() == path; });
}

/// Whether the program catches the end of a session (it has got that far in its start-up).
bool EndsSessionsWell(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1) & 1;
    return false;
}

wxString ConfigPath() { return TestHome() + "/.Tovendal"; }

wxString WritePlan(const wxString& name, const wxString& dir = MakeTempDir())
{
    const wxString path = dir + "/" + name;
    wxFile(path, wxFile::write).Write("<tovendal title=\"Plan\" year=\"2015\" yearend=\"2015\" />");
    return path;
}

} // namespace

TEST(Program, CommandLineErrorsEndWithMinusOneAndSaveNothing)
{
    for (const std::vector<const char*>& args : {std::vector<const char*>{"a.tovendal", "b.tovendal"}, {"--unknown"}}) {
        EXPECT_EQ(255, WaitForExit(Spawn(args))) << args[0];
        EXPECT_FALSE(wxFileExists(ConfigPath())) << args[0];
    }
}

TEST(Program, RunningProgramOpensTheFileALaterStartNamesRelativeToItsOwnFolder)
{
    ASSERT_TRUE(StartTovendal());
    const wxString dir = MakeTempDir();
    const wxString handed = WritePlan("handed.tovendal", dir);
    // Should the running program fail to open the file, its message must not stop the test.
    wxTEST_DIALOG(EXPECT_EQ(255, WaitForExit(Spawn({"handed.tovendal"}, dir.utf8_str())));
                  RunEventsFor(100), wxExpectModal<wxMessageDialog>(wxID_OK).Optional());
    // The later start leaves the configuration to the running program, which lists the plan it
    // opened in the history it saves at exit.
    EXPECT_FALSE(wxFileExists(ConfigPath()));
    StopTovendal();
    EXPECT_EQ(handed, wxFileConfig("", "", ConfigPath(), "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1"));
}

TEST(Program, LaterStartWaitsForABusyProgramAndOpensThePlanItselfWhenThatProgramDies)
{
    // Busy (stopped, as in a debugger or a long load) for longer than the wait once allowed: the
    // later start waits, and the running program opens the plan once it turns to it. Should the
    // running program die instead, the later start opens the plan itself.
    for (const bool dies : {false, true}) {
        wxRemoveFile(ConfigPath());
        const pid_t running = Spawn({});
        for (wxStopWatch watch; !Serves() && watch.Time() < 20000;)
            wxMilliSleep(100);
        kill(running, SIGSTOP);
        const wxString plan = WritePlan(dies ? "itself.tovendal" : "handed.tovendal");
        const pid_t later = Spawn({plan.utf8_str()});
        wxMilliSleep(dies ? 1000 : 11000);
        if (waitpid(later, nullptr, WNOHANG) != 0) {
            ADD_FAILURE() << dies << ": the later start ended while the program was busy";
            desktoptest::Finish(running, 0, SIGKILL);
            continue;
        }
        if (dies) {
            // The plan opens in the later start, which runs as the program from now on.
            desktoptest::Finish(running, 0, SIGKILL);
            for (wxStopWatch watch; !Serves() && watch.Time() < 20000;)
                wxMilliSleep(100);
            kill(later, SIGTERM);
            EXPECT_EQ(0, WaitForExit(later)) << dies;
        } else {
            kill(running, SIGCONT);
            EXPECT_EQ(255, WaitForExit(later)) << dies;
            EXPECT_FALSE(wxFileExists(ConfigPath())) << dies;
            kill(running, SIGTERM);
            EXPECT_EQ(0, WaitForExit(running)) << dies;
        }
        EXPECT_EQ(plan, wxFileConfig("", "", ConfigPath(), "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1")) << dies;
    }
}

TEST(Program, EndOfSessionOrTerminalWritesTheSettingsAndEndsWell)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        wxRemoveFile(ConfigPath());
        const wxString plan = WritePlan("session.tovendal");
        const pid_t running = Spawn({plan.utf8_str()});
        for (wxStopWatch watch; !Serves() && watch.Time() < 20000;)
            wxMilliSleep(100);
        kill(running, signal);
        EXPECT_EQ(0, WaitForExit(running)) << signal;
        EXPECT_EQ(plan, wxFileConfig("", "", ConfigPath(), "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1")) << signal;

        // With no plan open, once the splash has closed itself (4 s), nothing else happens on
        // the screen: the signal alone ends the program.
        const pid_t idle = Spawn({});
        for (wxStopWatch watch; !Serves() && watch.Time() < 20000;)
            wxMilliSleep(100);
        wxMilliSleep(4500);
        kill(idle, signal);
        EXPECT_EQ(0, WaitForExit(idle)) << signal << " with no plan open";
    }
}

namespace {

/// Answers the question whether to save a plan with No, after a later start has handed the
/// running program (this process) a plan meanwhile.
struct HandOverDuringQuestion : wxExpectModalBase<wxMessageDialog, HandOverDuringQuestion>
{
    HandOverDuringQuestion(const wxString& plan, pid_t* later) : m_plan(plan), m_later(later) {}
    int OnInvoked(wxMessageDialog*) const override
    {
        *m_later = Spawn({m_plan.utf8_str()});
        // The later start's conversation ends once the program has answered it.
        const MyServer* server = wxGetApp().m_ddeServer;
        for (wxStopWatch watch; (!server->m_connection || server->m_connection->GetConnected()) &&
                                waitpid(*m_later, nullptr, WNOHANG) == 0 && watch.Time() < 20000;)
            RunEventsFor(50);
        return wxID_NO;
    }
    wxString m_plan;
    pid_t* m_later;
};

} // namespace

TEST(Program, PlanHandedOverWhileTheProgramClosesOpensInALaterStartOfItsOwn)
{
    wxRemoveFile(ConfigPath());
    ASSERT_TRUE(StartTovendal());
    wxDocument* edited = wxGetApp().m_docManager->CreateDocument(WritePlan("a.tovendal"), wxDOC_SILENT);
    ASSERT_NE(nullptr, edited);
    edited->Modify(true);
    const wxString handed = WritePlan("b.tovendal");
    pid_t later = 0;
    bool closed = false;
    wxTEST_DIALOG(closed = wxGetApp().GetTopWindow()->Close(), HandOverDuringQuestion(handed, &later));
    ASSERT_GT(later, 0);
    EXPECT_TRUE(closed);
    wxGetApp().ProcessIdle();
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    StopTovendal();
    EXPECT_TRUE(wxFileExists(ConfigPath()));

    // The refused plan opened in the later start, which runs on as a program of its own.
    for (wxStopWatch watch; !EndsSessionsWell(later) && watch.Time() < 20000;)
        wxMilliSleep(100);
    ASSERT_EQ(0, waitpid(later, nullptr, WNOHANG)) << "the later start ended";
    kill(later, SIGTERM);
    EXPECT_EQ(0, WaitForExit(later));
    EXPECT_EQ(handed, wxFileConfig("", "", ConfigPath(), "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1"));
}

TEST(Program, LaterStartHandsOverOnlyToTheFirstProgramOfItsOwnHomeAndRuntimeFolder)
{
    // A client in this process waits on the program running here only inside an event loop.
    wxEventLoop loop;
    wxEventLoopActivator activator(&loop);
    const wxString runtime = wxGetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(StartTovendal());
    const Session otherHome{MakeTempDir(), runtime}, otherRuntime{TestHome(), MakeTempDir()};

    // A first program of another HOME beside the one running here, then a later start of it.
    const pid_t first = Spawn({}, "/", &otherHome);
    for (wxStopWatch watch; !Serves(otherHome) && watch.Time() < 20000;)
        RunEventsFor(100);
    const wxString elsewhere = WritePlan("elsewhere.tovendal");
    const int handed = WaitForExit(Spawn({elsewhere.utf8_str()}, "/", &otherHome));
    EXPECT_FALSE(IsOpenHere(elsewhere)) << "opened in another HOME's program";
    EXPECT_EQ(255, handed) << "not handed to its own first program";

    // This HOME, another runtime folder: handed over here, or a program of its own.
    const wxString own = WritePlan("own.tovendal");
    const pid_t later = Spawn({own.utf8_str()}, "/", &otherRuntime);
    bool runs = false;
    for (wxStopWatch watch; !IsOpenHere(own) && !runs && watch.Time() < 20000;) {
        RunEventsFor(100);
        runs = Serves(otherRuntime) && waitpid(later, nullptr, WNOHANG) == 0;
    }
    EXPECT_TRUE(IsOpenHere(own) || runs) << "the file was opened nowhere";

    // A first program that never serves (its server could not start), held here: the later
    // start waits for it a while, then runs as a program of its own.
    const Session unserved{TestHome(), MakeTempDir()}, was = Enter(unserved);
    wxSingleInstanceChecker lock;
    const bool locked = lock.Create(InstanceLockName(), InstanceFolder());
    Enter(was);
    ASSERT_TRUE(locked);
    const pid_t alone = Spawn({WritePlan("alone.tovendal").utf8_str()}, "/", &unserved);
    for (wxStopWatch watch; !Serves(unserved) && watch.Time() < 20000;)
        RunEventsFor(100);
    EXPECT_EQ(0, waitpid(alone, nullptr, WNOHANG)) << "ended";
    EXPECT_TRUE(Serves(unserved));

    for (const pid_t pid : {first, later, alone})
        desktoptest::Finish(pid, 0, SIGKILL);
    StopTovendal();
}
