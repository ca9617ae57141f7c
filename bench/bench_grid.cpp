// Rebuilding the calendar grid of one page, as every printed page does before it draws:
// clear, day numbers, holidays and a busy plan of 1,000 events (a tenth of them running
// for several days, a tenth repeating every year).
#include "document/plandocument.h"
#include "view/planview.h"

#include <benchmark/benchmark.h>


void BM_RebuildPageGrid(benchmark::State& state)
{
    PlanDocument doc;
    for (int i = 0; i < 1000; ++i) {
        PlanEvent* event = new PlanEvent;
        event->m_text = wxString::Format("Event %d", i);
        event->m_colour = i % 2 ? "RED" : "BLUE";
        event->m_textColour = i % 3 ? "YELLOW" : "";
        event->m_date = wxDateTime(wxDateTime::wxDateTime_t(1 + i % 28), wxDateTime::Month(i % 12), 2022);
        event->m_toDate = event->m_date + wxDateSpan::Days(2 + i % 5);
        event->m_hasToDate = i % 10 == 3;
        event->m_annual = i % 10 == 7;
        doc.m_events[doc.m_nextEventId++] = event;
    }
    TextEditView view;
    for (auto _ : state) {
        view.ClearGrid();
        view.AddDayNumbers(2022, 0);
        view.AddBankHolidays(2022, 0);
        view.AddEvents(&doc, 2022, 1, 0);
    }
}
BENCHMARK(BM_RebuildPageGrid)->Unit(benchmark::kMicrosecond);

