// Drawing one plan page with many events, and printing a ten-year plan by hand onto
// A4 memory device contexts at printer resolution.
#include "view/planview.h"
#include "view/printout.h"
#include "document/plandocument.h"

#include <wx/dcmemory.h>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

/// Peak resident memory of this process in megabytes.
double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

/// A view of a plan from 2015 with events spread over its first year; closes with the view.
myViewBase* NewPlanView(int events, int years, bool daysAcross)
{
    PlanDocument* doc = new PlanDocument;
    doc->m_year = "2015";
    doc->m_yearEnd = wxString::Format("%d", 2015 + years - 1);
    doc->m_daysAcross = daysAcross;
    for (int i = 0; i < events; ++i) {
        PlanEvent* event = new PlanEvent;
        event->m_text = wxString::Format("Event number %d", i);
        event->m_colour = i % 2 ? "RED" : "BLUE";
        event->m_date = wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days(i % 365);
        doc->m_events[doc->m_nextEventId++] = event;
    }
    myViewBase* view = new myViewBase;
    view->SetDocument(doc);
    return view;
}

void BM_DrawPageWith1000Events(benchmark::State& state)
{
    myViewBase* view = NewPlanView(1000, 1, state.range(0) != 0);
    wxBitmap bitmap(600, 850, 24);
    wxMemoryDC dc(bitmap);
    for (auto _ : state)
        view->DrawPlan(&dc, 1);
    delete view;
}
BENCHMARK(BM_DrawPageWith1000Events)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintTenYearPlanA4At600Dpi(benchmark::State& state)
{
    myViewBase* view = NewPlanView(200, 10, false);
    wxBitmap bitmap(4961, 7016, 24); // A4 at 600 dpi
    double afterFirstRun = 0;
    for (auto _ : state) {
        wxMemoryDC dc(bitmap);
        MyPrintOut printout(view, "Benchmark");
        printout.SetDC(&dc);
        printout.OnPreparePrinting();
        for (int page = 1; printout.HasPage(page); ++page)
            printout.OnPrintPage(page);
        if (afterFirstRun == 0)
            afterFirstRun = PeakMegabytes();
    }
    state.SetItemsProcessed(10 * state.iterations()); // pages
    state.counters["peak_rss_growth_after_first_run_MB"] = PeakMegabytes() - afterFirstRun;
    delete view;
}
BENCHMARK(BM_PrintTenYearPlanA4At600Dpi)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
