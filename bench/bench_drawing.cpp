// Drawing one plan page with many events, and printing a ten-year plan by hand onto
// A4 memory device contexts at printer resolution.
#include "bench/benchsupport.h"
#include "document/plandocument.h"
#include "view/planview.h"
#include "view/printout.h"

#include <wx/dcmemory.h>

#include <sys/resource.h>

#include <memory>

/// A view of a plan from 2015 with events spread over its first year; closes with the view.
std::unique_ptr<myViewBase> NewPlanView(int events, int years, bool daysAcross)
{
    PlanDocument* doc = NewBenchPlan(events, 2015, 365);
    doc->m_year = "2015";
    doc->m_yearEnd = wxString::Format("%d", 2015 + years - 1);
    doc->m_daysAcross = daysAcross;
    auto view = std::make_unique<myViewBase>();
    view->SetDocument(doc);
    return view;
}

void BM_DrawPageWith1000Events(benchmark::State& state)
{
    const auto view = NewPlanView(1000, 1, state.range(0) != 0);
    wxBitmap bitmap(600, 850, 24);
    wxMemoryDC dc(bitmap);
    for (auto _ : state)
        view->DrawPlan(&dc, 1);
}
BENCHMARK(BM_DrawPageWith1000Events)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintTenYearPlanA4At600Dpi(benchmark::State& state)
{
    const auto view = NewPlanView(200, 10, false);
    const auto peakMegabytes = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss / 1024.0;
    };
    const wxSize a4(4961, 7016); // pixels at 600 dpi
    wxBitmap bitmap(a4, 24);
    double afterFirstRun = 0;
    for (auto _ : state) {
        wxMemoryDC dc(bitmap);
        MyPrintOut printout(view.get(), "Benchmark");
        printout.SetDC(&dc);
        printout.SetPPIPrinter(600, 600);
        printout.SetPageSizePixels(a4.x, a4.y);
        printout.SetPaperRectPixels(wxRect(a4));
        printout.OnPreparePrinting();
        for (int page = 1; printout.HasPage(page); ++page)
            printout.OnPrintPage(page);
        if (afterFirstRun == 0)
            afterFirstRun = peakMegabytes();
    }
    state.SetItemsProcessed(10 * state.iterations()); // pages
    state.counters["peak_rss_growth_after_first_run_MB"] = peakMegabytes() - afterFirstRun;
}
BENCHMARK(BM_PrintTenYearPlanA4At600Dpi)->Unit(benchmark::kMillisecond)->Iterations(5);
