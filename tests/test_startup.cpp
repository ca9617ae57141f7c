// The built program as a process: its command line, its exit code and the hand-over from a
// later start to the running one. Every child runs with this test's HOME, runtime folder and
// display, so the children find each other as they would for one user.
#include "app/ipc.h"
#include "tests/testsupport.h"

#include <wx/fileconf.h>
#include <wx/snglinst.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xatom.h>

#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const int NO_EXIT = -1000;

/// A child process running the built program.
struct Program
{
    pid_t pid = -1;
    wxString errorFile;
};

Program Spawn(const std::vector<std::string>& args, const wxString& cwd = wxString())
{
    Program program;
    program.errorFile = wxFileName(MakeTempDir(), "stderr.txt").GetFullPath();
    const std::string errorPath = program.errorFile.ToStdString();
    const std::string dir = cwd.ToStdString();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(TOVENDAL_EXECUTABLE));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    program.pid = fork();
    if (program.pid == 0) {
        const int fd = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0)
            dup2(fd, 2);
        if (!dir.empty() && chdir(dir.c_str()) != 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return program;
}

/// The child's exit code once it has ended within the time, else NO_EXIT (and it is killed).
int WaitForExit(Program& program, int milliseconds)
{
    wxStopWatch watch;
    while (watch.Time() < milliseconds) {
        int status = 0;
        if (waitpid(program.pid, &status, WNOHANG) == program.pid) {
            program.pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : NO_EXIT;
        }
        wxMilliSleep(20);
    }
    kill(program.pid, SIGKILL);
    waitpid(program.pid, nullptr, 0);
    program.pid = -1;
    return NO_EXIT;
}

wxString ReadText(const wxString& path)
{
    wxString text;
    wxFile file(path);
    if (file.IsOpened())
        file.ReadAll(&text);
    return text;
}

/// Waits until a running program answers hand-overs.
bool WaitUntilServing(int milliseconds)
{
    wxStopWatch watch;
    while (watch.Time() < milliseconds) {
        MyClient client;
        if (client.Connect("localhost", TOVENDAL_SERVICE_NAME, "Open")) {
            client.Disconnect();
            return true;
        }
        wxMilliSleep(100);
    }
    return false;
}

/// Asks every top-level window of the process to close, as a window manager's close box does.
/// Xlib is loaded by the toolkit already; it is reached at run time so the test needs no
/// link flags of its own.
bool CloseWindowsOf(pid_t pid)
{
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!x11)
        x11 = dlopen("libX11.so.6", RTLD_NOW);
    if (!x11)
        return false;
#define X11_FUNCTION(name) auto name##_ = reinterpret_cast<decltype(&name)>(dlsym(x11, #name))
    X11_FUNCTION(XOpenDisplay);
    X11_FUNCTION(XCloseDisplay);
    X11_FUNCTION(XDefaultRootWindow);
    X11_FUNCTION(XInternAtom);
    X11_FUNCTION(XQueryTree);
    X11_FUNCTION(XGetWindowProperty);
    X11_FUNCTION(XSendEvent);
    X11_FUNCTION(XFlush);
    X11_FUNCTION(XFree);
#undef X11_FUNCTION

    Display* display = XOpenDisplay_(nullptr);
    if (!display)
        return false;
    const Atom pidAtom = XInternAtom_(display, "_NET_WM_PID", False);
    const Atom protocols = XInternAtom_(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom_(display, "WM_DELETE_WINDOW", False);

    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    int sent = 0;
    if (XQueryTree_(display, XDefaultRootWindow_(display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            Atom type;
            int format;
            unsigned long items, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty_(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                                    &format, &items, &after, &data) != Success || !data)
                continue;
            const bool ours = items == 1 && *reinterpret_cast<unsigned long*>(data) ==
                                                static_cast<unsigned long>(pid);
            XFree_(data);
            if (!ours)
                continue;
            XEvent event;
            std::memset(&event, 0, sizeof(event));
            event.xclient.type = ClientMessage;
            event.xclient.window = children[i];
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent_(display, children[i], False, NoEventMask, &event);
            ++sent;
        }
        if (children)
            XFree_(children);
    }
    XFlush_(display);
    XCloseDisplay_(display);
    return sent > 0;
}

wxString ConfigPath()
{
    return wxFileName(TestHome(), ".Tovendal").GetFullPath();
}

wxString HistoryEntry(int number)
{
    wxStringInputStream input(ReadText(ConfigPath()));
    wxFileConfig config(input);
    return config.Read(wxString::Format("/history/file%d", number));
}

wxString WritePlan(const wxString& dir, const wxString& name)
{
    const wxString path = wxFileName(dir, name).GetFullPath();
    wxFile file(path, wxFile::write);
    file.Write("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
               "<tovendal title=\"Hand-over\" year=\"2015\" yearend=\"2015\">\n"
               "    <dates />\n"
               "</tovendal>\n");
    return path;
}

// Start-up and close take a few seconds under the sanitizers.
const int START_TIME = 20000;
const int EXIT_TIME = 20000;

} // namespace

class CommandLineError : public ::testing::TestWithParam<std::vector<std::string>>
{};

TEST_P(CommandLineError, ShowsUsageEndsWithMinusOneAndSavesNothing)
{
    Program program = Spawn(GetParam());
    // -1 from the toolkit's entry is the process status 255.
    EXPECT_EQ(255, WaitForExit(program, EXIT_TIME));
    EXPECT_TRUE(ReadText(program.errorFile).Contains("Tovendal to Open"))
        << ReadText(program.errorFile);
    EXPECT_FALSE(wxFileExists(ConfigPath()));
}

std::string ArgumentsName(const ::testing::TestParamInfo<std::vector<std::string>>& info)
{
    static const char* const names[] = {"TwoFiles", "UnknownOption", "Help"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineError,
                         ::testing::Values(std::vector<std::string>{"a.tovendal", "b.tovendal"},
                                           std::vector<std::string>{"--unknown"},
                                           std::vector<std::string>{"--help"}),
                         ArgumentsName);

TEST(Program, OpensTheFileNamedOnItsCommandLine)
{
    const wxString plan = WritePlan(MakeTempDir(), "named.tovendal");
    Program program = Spawn({plan.ToStdString()});
    ASSERT_TRUE(WaitUntilServing(START_TIME)) << ReadText(program.errorFile);
    EXPECT_TRUE(CloseWindowsOf(program.pid));
    EXPECT_EQ(0, WaitForExit(program, EXIT_TIME)) << ReadText(program.errorFile);
    EXPECT_EQ(plan, HistoryEntry(1));
}

TEST(Program, RunningOneRefusesOtherTopicsAndOpensALaterStartsRelativeFile)
{
    Program running = Spawn({});
    ASSERT_TRUE(WaitUntilServing(START_TIME)) << ReadText(running.errorFile);
    for (const char* topic : {"open", "OPEN", "Close", ""}) {
        MyClient client;
        EXPECT_FALSE(client.Connect("localhost", TOVENDAL_SERVICE_NAME, topic)) << topic;
    }

    // The later start runs in another folder and names the plan relative to it.
    const wxString dir = MakeTempDir();
    const wxString plan = WritePlan(dir, "handed.tovendal");
    Program later = Spawn({"handed.tovendal"}, dir);
    EXPECT_EQ(255, WaitForExit(later, EXIT_TIME)) << ReadText(later.errorFile);
    // The later start leaves the configuration to the running program.
    EXPECT_FALSE(wxFileExists(ConfigPath()));

    EXPECT_TRUE(CloseWindowsOf(running.pid));
    EXPECT_EQ(0, WaitForExit(running, EXIT_TIME)) << ReadText(running.errorFile);
    EXPECT_EQ(plan, HistoryEntry(1));
    EXPECT_EQ("", HistoryEntry(2));
}

TEST(Program, LaterStartGivesUpOnARunningProgramThatNeverAnswers)
{
    // A "running program": it holds the single-instance lock and takes connections on the
    // hand-over socket, but never answers them.
    wxSingleInstanceChecker running("TovendalApp-" + wxGetUserId());
    ASSERT_TRUE(running.IsAnotherRunning() == false);
    const std::string address = HandOverAddress().ToStdString();
    ASSERT_FALSE(address.empty());
    unlink(address.c_str());
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    std::strncpy(where.sun_path, address.c_str(), sizeof(where.sun_path) - 1);
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&where), sizeof(where)));
    ASSERT_EQ(0, listen(listener, 4));

    const wxString plan = WritePlan(MakeTempDir(), "waiting.tovendal");
    Program later = Spawn({plan.ToStdString()});
    wxStopWatch watch;
    EXPECT_EQ(255, WaitForExit(later, 30000)) << ReadText(later.errorFile);
    EXPECT_LT(watch.Time(), 20000);
    EXPECT_FALSE(wxFileExists(ConfigPath()));
    close(listener);
    unlink(address.c_str());
}
