// Shared main of the benchmarks: a GUI application object, so device
// contexts work, then Google Benchmark's own run.
#include "bench/benchsupport.h"
#include "app/app.h"
#include "document/plandocument.h"

#include <wx/filename.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

/// The benchmark's own folder, removed when the run ends.
static std::string g_dir;

static double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

std::string BenchPath(const std::string& name)
{
    return g_dir + "/" + name;
}

PlanDocument* NewBenchPlan(int events, int year, int days)
{
    PlanDocument* doc = new PlanDocument;
    doc->m_title = "Benchmark plan";
    doc->m_comments = "Made for the benchmarks.\nSecond line.";
    static const char* const colours[] = {"", "RED", "Light Grey", "#123456", "YELLOW"};
    for (int i = 0; i < events; ++i) {
        PlanEvent* event = new PlanEvent;
        event->m_date = wxDateTime(1, wxDateTime::Jan, year) + wxDateSpan::Days((i * 7919) % days);
        event->m_text = wxString::Format("Event number %d of the plan", i);
        event->m_colour = colours[i % 5];
        event->m_textColour = colours[(i / 5) % 5];
        event->m_hasToDate = i % 5 == 1;
        event->m_toDate = event->m_date + wxDateSpan::Days(1 + i % 9);
        event->m_firstDayOnly = i % 2;
        event->m_annual = i % 7 == 3;
        doc->m_events[doc->m_nextEventId++] = event;
    }
    return doc;
}

std::string BenchPlanFile(int events)
{
    const std::string path = BenchPath("plan" + std::to_string(events) + ".tovendal");
    if (!wxFileExists(path))
        std::unique_ptr<PlanDocument>(NewBenchPlan(events, 2015, 730))->OnSaveDocument(path);
    return path;
}

void TimeBeside(benchmark::State& state, const std::string& anchor,
                const std::function<bool()>& ours, const std::function<bool()>& anchorStep,
                const std::function<void()>& tidy)
{
    double wall[2] = {}, cpu[2] = {};
    for (auto _ : state) {
        const double start = Seconds(CLOCK_MONOTONIC), startCpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
        const bool oursDone = ours();
        const double mid = Seconds(CLOCK_MONOTONIC), midCpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
        const bool anchorDone = anchorStep();
        wall[1] += Seconds(CLOCK_MONOTONIC) - mid;
        cpu[1] += Seconds(CLOCK_THREAD_CPUTIME_ID) - midCpu;
        wall[0] += mid - start;
        cpu[0] += midCpu - startCpu;
        state.SetIterationTime(mid - start);
        if (tidy)
            tidy();
        if (!oursDone || !anchorDone)
            state.SkipWithError(oursDone ? "the anchor failed" : "our step failed");
    }
    state.counters[anchor + "_ms"] = wall[1] * 1e3 / state.iterations();
    state.counters["x_" + anchor] = wall[0] / wall[1];
    state.counters["cpu_x_" + anchor] = cpu[0] / cpu[1];
}

int main(int argc, char** argv)
{
    wxApp::SetInstance(new TovendalApp);
    char dir[] = "/tmp/tovendal-bench-XXXXXX";
    if (!wxEntryStart(argc, argv) || !mkdtemp(dir)) {
        std::fprintf(stderr, "could not start the toolkit (no display?) or make a folder\n");
        return 2;
    }
    g_dir = dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxFileName::Rmdir(g_dir, wxPATH_RMDIR_RECURSIVE);
    wxEntryCleanup();
    return 0;
}
