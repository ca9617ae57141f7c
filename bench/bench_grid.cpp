// Rebuilding the calendar grid of one page, as every printed page does before it draws.
#include "view/planview.h"
#include "document/plandocument.h"

#include <wx/gdicmn.h>

#include <benchmark/benchmark.h>

namespace {

// A busy plan: 1,000 events over the page's year, a tenth of them running for several
// days, a tenth repeating every year, in the colours the picker offers.
void FillPlan(PlanDocument* doc, int year)
{
    wxTheColourDatabase->AddColour("Maroon", wxColour(153, 0, 0));
    wxTheColourDatabase->AddColour("Navy", wxColour(0, 0, 153));
    wxTheColourDatabase->AddColour("Teal", wxColour(0, 153, 153));
    const char* const colours[] = { "Maroon", "Navy", "Teal", "Yellow", "" };
    for (int i = 0; i < 1000; ++i) {
        PlanEvent* event = new PlanEvent;
        event->m_text = wxString::Format("Event %d", i);
        event->m_colour = colours[i % 5];
        event->m_textColour = colours[(i + 2) % 5];
        event->m_date = wxDateTime(static_cast<wxDateTime::wxDateTime_t>(1 + i % 28),
                                   static_cast<wxDateTime::Month>(i % 12), year);
        if (i % 10 == 3) {
            event->m_toDate = event->m_date + wxDateSpan::Days(2 + i % 5);
            event->m_hasToDate = true;
        }
        event->m_annual = i % 10 == 7;
        doc->m_events[doc->m_nextEventId++] = event;
    }
}

void BM_RebuildPageGrid(benchmark::State& state)
{
    const int year = 2022;
    PlanDocument doc;
    FillPlan(&doc, year);
    TextEditView view;
    for (auto _ : state) {
        view.ClearGrid();
        view.AddDayNumbers(year, 0);
        view.AddBankHolidays(year, 0);
        view.AddEvents(&doc, year, 1, 0);
        benchmark::DoNotOptimize(view.m_cellText[0].length());
    }
    state.SetLabel("clear, day numbers, holidays, 1,000 events");
}
BENCHMARK(BM_RebuildPageGrid)->Unit(benchmark::kMicrosecond);

} // namespace
