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

#include <malloc.h>
#include <unistd.h>
#include <fstream>
#include <utility>

/// The program's document manager, template and main frame, made once.
myDocManager* Manager()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_docManager) {
        app.m_docManager = new myDocManager;
        new wxDocTemplate(app.m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                          TEXT_VIEW_NAME, CLASSINFO(PlanDocument), CLASSINFO(TextEditView));
        app.SetTopWindow(new TovendalMain(app.m_docManager, nullptr, wxID_ANY, "Tovendal",
                                          wxDefaultPosition, wxSize(400, 500),
                                          wxDEFAULT_FRAME_STYLE));
        app.GetTopWindow()->Show(true);
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
    Manager()->CloseDocuments(true);
    Settle();
}

/// Resident and allocated memory of the process in megabytes, after handing freed memory back.
std::pair<double, double> TrimmedMegabytes()
{
    malloc_trim(0);
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return {double(resident) * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0),
            mallinfo2().uordblks / (1024.0 * 1024.0)};
}

/// Opening a plan file with its plan window (manual time) beside loading the same document alone.
void BM_OpenBesideLoad(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(int(state.range(0)));
    // The processor-time ratio counts this process's own work only, not the X server's drawing.
    TimeBeside(state, "load",
               [&] {
                   const bool opened = Manager()->CreateDocument(plan, wxDOC_SILENT);
                   Settle();
                   return opened;
               },
               [&] { return PlanDocument().OnOpenDocument(plan); }, ClosePlans);
}
BENCHMARK(BM_OpenBesideLoad)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

/// 200 open and close cycles of a 1,000-event plan beside 200 of a bare MDI child frame, each
/// after 20 that warm caches, fonts and the first windows: growth of resident and allocated memory.
void BM_OpenCloseCycles(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(1000);
    Manager();
    wxMDIParentFrame* parent = wxStaticCast(wxTheApp->GetTopWindow(), wxMDIParentFrame);
    const std::pair<std::string, std::function<void()>> cycles[] = {
        {"", [&] {
             Manager()->CreateDocument(plan, wxDOC_SILENT);
             Settle();
             ClosePlans();
         }},
        {"bare_", [&] {
             wxMDIChildFrame* child = new wxMDIChildFrame(parent, wxID_ANY, "Bare");
             child->Show(true);
             Settle();
             child->Destroy();
             Settle();
         }}};
    for (auto _ : state) {
        for (const auto& [prefix, cycle] : cycles) {
            for (int i = 0; i < 20; ++i)
                cycle();
            const auto [rss, heap] = TrimmedMegabytes();
            for (int i = 0; i < 200; ++i)
                cycle();
            const auto [rssAfter, heapAfter] = TrimmedMegabytes();
            state.counters[prefix + "rss_growth_MB"] = rssAfter - rss;
            state.counters[prefix + "heap_growth_MB"] = heapAfter - heap;
        }
    }
}
BENCHMARK(BM_OpenCloseCycles)->Unit(benchmark::kSecond)->Iterations(1);
