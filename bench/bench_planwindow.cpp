// Opening plans with their plan windows, each timed beside loading the same
// document alone in the same run, and the memory that repeated opening and
// closing of a plan keeps, beside the same cycles of a bare MDI child frame.
#include "bench/benchsupport.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "document/plandocument.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/docmdi.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>
#include <cstdio>

namespace {

/// The program's document manager, template and main frame, made once.
myDocManager* Manager()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_docManager) {
        app.m_docManager = new myDocManager;
        new wxDocTemplate(app.m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                          "Text View", CLASSINFO(PlanDocument), CLASSINFO(TextEditView),
                          wxTEMPLATE_VISIBLE);
        TovendalMain* frame = new TovendalMain(app.m_docManager, nullptr, wxID_ANY, "Tovendal",
                                               wxDefaultPosition, wxSize(400, 500),
                                               wxDEFAULT_FRAME_STYLE);
        frame->Show(true);
        app.SetTopWindow(frame);
    }
    return app.m_docManager;
}

/// Lets the toolkit finish pending work (deletions, drawing).
void Settle()
{
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessIdle();
        wxTheApp->Yield(true);
    }
}

void ClosePlans()
{
    myDocManager* manager = Manager();
    for (wxDocument* doc : manager->GetDocumentsVector()) {
        doc->Modify(false);
        manager->CloseDocument(doc, true);
    }
    Settle();
}

/// Resident memory of the process in megabytes.
double ResidentMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

/// Opening a plan file with its plan window (manual time) beside loading the same document alone.
void BM_OpenBesideLoad(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(int(state.range(0)));
    myDocManager* manager = Manager();
    double ours = 0, anchor = 0, oursCpu = 0, anchorCpu = 0;
    for (auto _ : state) {
        const double start = BenchSeconds(), startCpu = BenchCpuSeconds();
        if (!manager->CreateDocument(plan, wxDOC_SILENT))
            state.SkipWithError("open failed");
        Settle();
        const double opened = BenchSeconds(), openedCpu = BenchCpuSeconds();
        if (!PlanDocument().OnOpenDocument(plan))
            state.SkipWithError("load failed");
        const double loaded = BenchSeconds(), loadedCpu = BenchCpuSeconds();
        ClosePlans();
        state.SetIterationTime(opened - start);
        ours += opened - start;
        anchor += loaded - opened;
        oursCpu += openedCpu - startCpu;
        anchorCpu += loadedCpu - openedCpu;
    }
    state.counters["load_ms"] = anchor * 1e3 / state.iterations();
    state.counters["x_load"] = ours / anchor;
    // This process's own work only: the X server's drawing is not counted.
    state.counters["cpu_x_load"] = oursCpu / anchorCpu;
}
BENCHMARK(BM_OpenBesideLoad)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

/// Growth of resident and allocated memory over cycles of open and close.
template <typename Cycle>
void MeasureCycles(benchmark::State& state, Cycle cycle, const char* prefix)
{
    for (int i = 0; i < 20; ++i) // warm-up: caches, fonts, the first windows
        cycle();
    malloc_trim(0);
    const double rss = ResidentMegabytes();
    const double heap = mallinfo2().uordblks / (1024.0 * 1024.0);
    for (int i = 0; i < 200; ++i)
        cycle();
    malloc_trim(0);
    state.counters[std::string(prefix) + "rss_growth_MB"] = ResidentMegabytes() - rss;
    state.counters[std::string(prefix) + "heap_growth_MB"] =
        mallinfo2().uordblks / (1024.0 * 1024.0) - heap;
}

/// 200 open and close cycles of a 1,000-event plan beside 200 of a bare MDI child frame.
void BM_OpenCloseCycles(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(1000);
    myDocManager* manager = Manager();
    wxMDIParentFrame* parent = wxStaticCast(wxTheApp->GetTopWindow(), wxMDIParentFrame);
    for (auto _ : state) {
        MeasureCycles(state, [&] {
            manager->CreateDocument(plan, wxDOC_SILENT);
            Settle();
            ClosePlans();
        }, "");
        MeasureCycles(state, [&] {
            wxMDIChildFrame* child = new wxMDIChildFrame(parent, wxID_ANY, "Bare");
            child->Show(true);
            Settle();
            child->Destroy();
            Settle();
        }, "bare_");
    }
}
BENCHMARK(BM_OpenCloseCycles)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
