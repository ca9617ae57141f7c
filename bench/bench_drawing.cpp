// Drawing one plan page with many events, and printing a ten-year plan by hand onto
// A4 memory device contexts at printer resolution.
#include "view/planview.h"
#include "view/printout.h"
#include "app/app.h"
#include "document/plandocument.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace {

/// Resident memory of this process in megabytes.
double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

/// A plan and its view, with events spread over its first year.
class BenchPlan
{
public:
    BenchPlan(int events, int years, bool daysAcross)
    {
        TovendalApp& app = wxGetApp();
        if (app.m_dayNames.empty())
            for (const char* name : {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"})
                app.m_dayNames.Add(name);
        if (app.m_monthNames.empty())
            for (int m = 0; m < 12; ++m)
                app.m_monthNames.Add(wxDateTime::GetEnglishMonthName(wxDateTime::Month(m)));

        m_doc = new PlanDocument;
        m_doc->m_year = "2015";
        m_doc->m_yearEnd = wxString::Format("%d", 2015 + years - 1);
        m_doc->m_title = "Benchmark plan";
        m_doc->m_daysAcross = daysAcross;
        m_doc->m_comments = "Comments under the calendar.\nA second line of them.";
        const char* colours[] = {"RED", "BLUE", "GREEN", "YELLOW", ""};
        for (int i = 0; i < events; ++i) {
            PlanEvent* event = new PlanEvent;
            event->m_text = wxString::Format("Event number %d", i);
            event->m_colour = colours[i % 5];
            event->m_date = wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days(i % 365);
            event->m_annual = i % 7 == 0;
            m_doc->m_events[m_doc->m_nextEventId++] = event;
        }
        m_view = new myViewBase;
        m_view->SetDocument(m_doc);
    }

    ~BenchPlan()
    {
        m_doc->Modify(false);
        delete m_view; // takes the document with it
    }

    PlanDocument* m_doc;
    myViewBase* m_view;
};

void BM_DrawPageWith1000Events(benchmark::State& state)
{
    BenchPlan plan(1000, 1, state.range(0) != 0);
    wxBitmap bitmap(600, 850, 24);
    wxMemoryDC dc(bitmap);
    for (auto _ : state) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        plan.m_view->DrawPlan(&dc, 1);
    }
    state.SetLabel(state.range(0) ? "days across" : "months across");
}
BENCHMARK(BM_DrawPageWith1000Events)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintTenYearPlanA4At600Dpi(benchmark::State& state)
{
    // A4 at 600 dpi: 4961 by 7016 printer pixels, one device context for the whole document.
    const int w = 4961;
    const int h = 7016;
    BenchPlan plan(200, 10, false);
    wxBitmap bitmap(w, h, 24);
    const double before = ResidentMegabytes();
    double afterFirstRun = 0;
    int pages = 0;
    for (auto _ : state) {
        wxMemoryDC dc(bitmap);
        MyPrintOut printout(plan.m_view, "Benchmark");
        printout.SetDC(&dc);
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(600, 600);
        printout.SetPageSizePixels(w, h);
        printout.SetPageSizeMM(210, 297);
        printout.SetPaperRectPixels(wxRect(0, 0, w, h));
        printout.OnPreparePrinting();
        int minPage, maxPage, fromPage, toPage;
        printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
        printout.OnBeginPrinting();
        printout.OnBeginDocument(fromPage, toPage);
        for (int page = fromPage; page <= toPage && printout.HasPage(page); ++page) {
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            printout.OnPrintPage(page);
            ++pages;
        }
        printout.OnEndDocument();
        printout.OnEndPrinting();
        printout.SetDC(nullptr);
        if (afterFirstRun == 0)
            afterFirstRun = ResidentMegabytes();
    }
    state.counters["pages"] = pages;
    state.counters["ms_per_page"] = benchmark::Counter(
        pages, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["rss_first_run_MB"] = afterFirstRun - before;
    state.counters["rss_growth_after_first_run_MB"] = ResidentMegabytes() - afterFirstRun;
}
BENCHMARK(BM_PrintTenYearPlanA4At600Dpi)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
