// Rebuilding the calendar grid of one page, as every printed page does before it draws:
// clear, day numbers, holidays and a busy plan of 1,000 events in the page's year.
#include "bench/benchsupport.h"
#include "document/plandocument.h"
#include "view/planview.h"

#include <memory>

void BM_RebuildPageGrid(benchmark::State& state)
{
    const std::unique_ptr<PlanDocument> doc(NewBenchPlan(1000, 2022, 365));
    TextEditView view;
    for (auto _ : state) {
        view.ClearGrid();
        view.AddDayNumbers(2022, 0);
        view.AddBankHolidays(2022, 0);
        view.AddEvents(doc.get(), 2022, 1, 0);
    }
}
BENCHMARK(BM_RebuildPageGrid)->Unit(benchmark::kMicrosecond);
