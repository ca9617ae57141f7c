// Shared main of the benchmarks: a GUI application object, so device
// contexts work, then Google Benchmark's own run.
#include "bench/benchsupport.h"
#include "app/app.h"
#include "document/plandocument.h"

#include <wx/filename.h>
#include <wx/init.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

namespace {

/// The benchmark's own folder, made on first use; empty until then.
std::string g_dir;

const std::string& BenchDir()
{
    if (g_dir.empty()) {
        char pattern[] = "/tmp/tovendal-bench-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        g_dir = pattern;
    }
    return g_dir;
}

} // namespace

std::string BenchPath(const std::string& name)
{
    return BenchDir() + "/" + name;
}

std::string BenchPlanFile(int events)
{
    static std::map<int, std::string> made;
    std::string& path = made[events];
    if (path.empty()) {
        path = BenchPath("plan" + std::to_string(events) + ".tovendal");
        PlanDocument doc;
        doc.m_title = "Benchmark plan";
        doc.m_comments = "Made for the benchmarks.\nSecond line.";
        static const char* const colours[] = {"", "RED", "Light Grey", "#123456", "YELLOW"};
        for (int i = 0; i < events; ++i) {
            PlanEvent* event = new PlanEvent;
            event->m_date =
                wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days((i * 7919) % 730);
            event->m_text = wxString::Format("Event number %d of the plan", i);
            event->m_colour = colours[i % 5];
            event->m_textColour = colours[(i / 5) % 5];
            if (i % 5 == 1) {
                event->m_hasToDate = true;
                event->m_toDate = event->m_date + wxDateSpan::Days(1 + i % 9);
                event->m_firstDayOnly = i % 2;
            }
            event->m_annual = i % 7 == 3;
            doc.m_events[doc.m_nextEventId++] = event;
        }
        doc.OnSaveDocument(path);
    }
    return path;
}

double BenchSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double BenchCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

int main(int argc, char** argv)
{
    wxApp::SetInstance(new TovendalApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "could not start the toolkit (no display?)\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_dir.empty())
        wxFileName::Rmdir(g_dir, wxPATH_RMDIR_RECURSIVE);
    wxEntryCleanup();
    return 0;
}
