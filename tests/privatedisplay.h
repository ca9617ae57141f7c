#ifndef TOVENDAL_TESTS_PRIVATEDISPLAY_H
#define TOVENDAL_TESTS_PRIVATEDISPLAY_H

// Window tests on a display of their own. The other tests share one virtual X server without a
// window manager; a window manager (openbox) moves, restacks and resizes windows, so a test that
// needs one runs its body again in a child process on a private virtual X server, started with
// or without openbox. The child is this test program, filtered to the one test.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace desktoptest {

/// Starts a shell command, its program in place of the shell, with its output sent to the test's
/// output; it ends with the test program, so that none is left holding that output open.
inline pid_t Spawn(const std::string& command, int keepFd = -1)
{
    // Made before the fork: another thread may hold the allocator's lock.
    const std::string line = "exec " + command;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        for (int fd = 3; fd < 256; ++fd)
            if (fd != keepFd)
                close(fd);
        execl("/bin/sh", "sh", "-c", line.c_str(), nullptr);
        _exit(127);
    }
    return pid;
}

/// Gives a child this harness started the time to end, then ends it with the signal; answers its
/// exit status, or -1 when it did not exit by itself.
inline int Finish(pid_t pid, int seconds, int signal)
{
    // A pid of 0 would signal the whole process group.
    if (pid <= 0)
        return -1;
    int status = 0;
    for (int tick = 0; tick <= seconds * 20; ++tick, usleep(50000))
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    kill(pid, signal);
    waitpid(pid, nullptr, 0);
    return -1;
}

/// What the display's root window says of a window manager, waiting up to ten seconds for the
/// text wanted: empty while the display takes no connections, "window id" once one runs.
inline std::string WindowManagerCheck(const std::string& display, const std::string& wanted)
{
    std::string text;
    for (int tick = 0; tick < 100 && text.find(wanted) == std::string::npos; ++tick, usleep(100000)) {
        text.clear();
        FILE* out = popen(("xprop -display " + display + " -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").c_str(), "r");
        for (int c; out && (c = std::fgetc(out)) != EOF;)
            text += static_cast<char>(c);
        if (out)
            pclose(out);
    }
    return text;
}

/// In the test program: runs the current test again in a child on a new private display (with
/// openbox when asked) and adds a failure when the child fails; answers false. In that child:
/// answers true, and the caller goes on with the test's body.
inline bool RunOnPrivateDisplay(bool windowManager)
{
    const char* const kind = "TOVENDAL_PRIVATE_DISPLAY";
    if (std::getenv(kind))
        return true;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();

    // The server picks a free display number and writes it to the pipe, then a line end in a
    // second write: closing the pipe before the line end arrives kills the server.
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "no pipe";
        return false;
    }
    const pid_t server = Spawn("Xvfb -displayfd " + std::to_string(fds[1]) +
                               " -screen 0 1280x1024x24 -nolisten tcp -noreset", fds[1]);
    close(fds[1]);
    std::string number;
    pollfd ready = {fds[0], POLLIN, 0};
    char got = 0;
    while (got != '\n' && poll(&ready, 1, 20000) == 1 && read(fds[0], &got, 1) == 1)
        number += got;
    close(fds[0]);
    const std::string display = got == '\n' ? ":" + std::to_string(std::atoi(number.c_str())) : "";

    pid_t manager = 0;
    std::string check = display.empty() ? "" : WindowManagerCheck(display, "_NET_SUPPORTING_WM_CHECK");
    if (!check.empty() && windowManager) {
        manager = Spawn("env DISPLAY=" + display + " openbox --sm-disable");
        check = WindowManagerCheck(display, "window id");
    }
    if (check.empty() || (windowManager && check.find("window id") == std::string::npos)) {
        ADD_FAILURE() << "no private X server" << (windowManager ? " with openbox" : "") << " on '"
                      << display << "': xprop says '" << check << "' (their messages above)";
    } else {
        const pid_t child = Spawn("env DISPLAY=" + display + " " + kind + "=1 '" + program_invocation_name +
                                  "' --gtest_filter=" + test->test_suite_name() + "." + test->name());
        EXPECT_EQ(0, Finish(child, 120, SIGKILL))
            << "the test failed on the private display " << display
            << (windowManager ? " with openbox" : " without a window manager");
    }
    Finish(manager, 0, SIGTERM);
    Finish(server, 0, SIGTERM);
    return false;
}

} // namespace desktoptest

#endif // TOVENDAL_TESTS_PRIVATEDISPLAY_H
