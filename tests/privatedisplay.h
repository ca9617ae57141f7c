#ifndef TOVENDAL_TESTS_PRIVATEDISPLAY_H
#define TOVENDAL_TESTS_PRIVATEDISPLAY_H

// Window tests on a display of their own. The other tests share one virtual X server without a
// window manager; a window manager (openbox) moves, restacks and resizes windows, so a test that
// needs one runs its body again in a child process on a private virtual X server, started with
// or without openbox. The child is this test program, filtered to the one test.

#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace desktoptest {

/// The environment variable that tells the child which kind of display it runs on.
inline const char* const DISPLAY_KIND = "TOVENDAL_PRIVATE_DISPLAY";

/// True when the process runs on a private display with openbox.
inline bool HasWindowManager()
{
    const char* kind = std::getenv(DISPLAY_KIND);
    return kind && std::string(kind) == "openbox";
}

/// Starts a program with its output sent to the test's output, or to a log file.
inline pid_t Spawn(const std::vector<std::string>& args, const std::string& display,
                   const std::string& log = "", int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (!display.empty())
            setenv("DISPLAY", display.c_str(), 1);
        if (!log.empty()) {
            if (FILE* file = std::fopen(log.c_str(), "w")) {
                dup2(fileno(file), 1);
                dup2(fileno(file), 2);
            }
        }
        for (int fd = 3; fd < 256; ++fd)
            if (fd != keepFd)
                close(fd);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

/// Ends a process this harness started and collects it.
inline void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

/// The exit status of a child once it has ended within the time, else -1 (the child is killed).
inline int WaitFor(pid_t pid, int seconds)
{
    int status = 0;
    for (int tick = 0; tick < seconds * 20; ++tick) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(50000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

/// The text of a log file.
inline std::string ReadLog(const std::string& path)
{
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

/// True once the display takes connections.
inline bool DisplayAnswers(const std::string& display)
{
    return std::system(("xprop -display " + display + " -root >/dev/null 2>&1").c_str()) == 0;
}

/// True once a window manager has announced itself on the display's root window.
inline bool WindowManagerRuns(const std::string& display)
{
    const std::string command = "xprop -display " + display + " -root _NET_SUPPORTING_WM_CHECK 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    if (!out)
        return false;
    char line[256] = "";
    const bool found = std::fgets(line, sizeof line, out) && std::string(line).find("window id") != std::string::npos;
    pclose(out);
    return found;
}

/// In the test program: runs the current test again in a child on a new private display (with
/// openbox when asked) and adds a failure when the child fails; answers false. In that child:
/// answers true, and the caller goes on with the test's body.
inline bool RunOnPrivateDisplay(bool windowManager)
{
    if (std::getenv(DISPLAY_KIND))
        return true;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string where = windowManager ? "with openbox" : "without a window manager";

    // The server picks a free display number and writes it to the pipe.
    const std::string serverLog = MakeTempDir().ToStdString() + "/xvfb.log";
    const std::string managerLog = MakeTempDir().ToStdString() + "/openbox.log";
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "no pipe";
        return false;
    }
    const pid_t server = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                               "", serverLog, fds[1]);
    close(fds[1]);
    // The server writes the number and then a line end, in two writes: closing the pipe before
    // the line end arrives kills the server.
    std::string display;
    std::string number;
    pollfd ready = {fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&ready, 1, 20000) == 1) {
        char buffer[16];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, static_cast<size_t>(got));
    }
    if (number.find('\n') != std::string::npos)
        display = ":" + std::to_string(std::atoi(number.c_str()));
    close(fds[0]);
    for (int tick = 0; tick < 100 && !display.empty() && !DisplayAnswers(display); ++tick)
        usleep(100000);
    pid_t manager = 0;
    if (!display.empty() && windowManager) {
        manager = Spawn({"openbox", "--sm-disable"}, display, managerLog);
        for (int tick = 0; tick < 100 && !WindowManagerRuns(display); ++tick)
            usleep(100000);
    }

    if (display.empty())
        ADD_FAILURE() << "no private X server could start\n" << ReadLog(serverLog);
    else if (windowManager && !WindowManagerRuns(display))
        ADD_FAILURE() << "openbox did not start on " << display << " (the display "
                      << (DisplayAnswers(display) ? "answers" : "does not answer") << ", openbox "
                      << (waitpid(manager, nullptr, WNOHANG) == 0 ? "runs" : "ended") << ")\n"
                      << ReadLog(serverLog) << ReadLog(managerLog);
    else {
        setenv(DISPLAY_KIND, windowManager ? "openbox" : "bare", 1);
        const pid_t child = Spawn({"/proc/self/exe", std::string("--gtest_filter=") +
                                   test->test_suite_name() + "." + test->name()},
                                  display);
        unsetenv(DISPLAY_KIND);
        EXPECT_EQ(0, WaitFor(child, 120)) << "the test failed on the private display " << display
                                          << " " << where << "\n" << ReadLog(serverLog);
    }
    Stop(manager);
    Stop(server);
    return false;
}

} // namespace desktoptest

#endif // TOVENDAL_TESTS_PRIVATEDISPLAY_H
