// Start-up: the program launched until its main window is mapped, beside the toolkit's bare MDI
// document/view program (bench/bare_mdi_app.cpp, built in the same tree), launched in turn in
// the same run on the same display.
#include "bench/benchsupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double Milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

/// Whether the window, or one of its children (a window manager's frame holds the program's
/// window), carries the title.
bool Titled(Display* display, Window window, const char* title, int depth = 0)
{
    char* name = nullptr;
    bool found = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
    if (name)
        XFree(name);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!found && depth < 2 && XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = Titled(display, children[i], title, depth + 1);
        if (children)
            XFree(children);
    }
    return found;
}

/// Ends a launched program: asked first, then killed.
void End(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int tick = 0; tick < 100; ++tick, usleep(20000))
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

/// Milliseconds from starting the program until a top-level window titled `title` is mapped,
/// or a negative number when none maps within 30 seconds. The program is ended afterwards.
double LaunchToMapped(Display* display, const std::string& program, const char* title,
                      const std::string& home)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const double start = Milliseconds();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    double mapped = -1;
    while (pid > 0 && mapped < 0 && Milliseconds() - start < 30000) {
        if (!XPending(display)) {
            pollfd ready = {ConnectionNumber(display), POLLIN, 0};
            poll(&ready, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && Titled(display, event.xmap.window, title))
            mapped = Milliseconds() - start;
    }
    XSelectInput(display, root, NoEventMask);
    if (pid > 0)
        End(pid);
    return mapped;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n ? (values[(n - 1) / 2] + values[n / 2]) / 2 : 0;
}

} // namespace

/// Launch to main window mapped (manual time), beside the bare MDI program: each iteration
/// launches both, in turns that swap which goes first. Counters: the means of both, the ratio of
/// the means ("x_bare") and the median of the iterations' ratios ("median_x_bare").
void BM_StartupBesideBareApp(benchmark::State& state)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no display");
        return;
    }
    const std::string home = BenchPath("home");
    mkdir(home.c_str(), 0700);
    std::vector<double> ours, bare, ratios;
    for (auto _ : state) {
        double times[2] = {};
        const bool oursFirst = ours.size() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == oursFirst)
                times[0] = LaunchToMapped(display, TOVENDAL_EXECUTABLE, "Tovendal", home);
            else
                times[1] = LaunchToMapped(display, BARE_MDI_APP, "Bare", home);
        }
        if (times[0] < 0 || times[1] < 0) {
            state.SkipWithError(times[0] < 0 ? "the program's window never mapped"
                                             : "the bare program's window never mapped");
            break;
        }
        state.SetIterationTime(times[0] / 1e3);
        ours.push_back(times[0]);
        bare.push_back(times[1]);
        ratios.push_back(times[0] / times[1]);
    }
    XCloseDisplay(display);
    if (ours.empty())
        return;
    double oursSum = 0, bareSum = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
        oursSum += ours[i];
        bareSum += bare[i];
    }
    state.counters["tovendal_ms"] = oursSum / ours.size();
    state.counters["bare_ms"] = bareSum / bare.size();
    state.counters["x_bare"] = oursSum / bareSum;
    state.counters["median_x_bare"] = Median(ratios);
}
BENCHMARK(BM_StartupBesideBareApp)->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(12)->Repetitions(3)->ReportAggregatesOnly(false);
