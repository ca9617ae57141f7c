// Save and load of plans with 1,000, 10,000 and 100,000 events, each timed
// beside TinyXML alone writing or parsing the same file in the same run.
#include "bench/benchsupport.h"
#include "document/plandocument.h"

#include <tinyxml.h>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

/// Our save (manual time) beside TinyXML printing the same document to a file.
void BM_SaveBesideTinyXml(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(int(state.range(0)));
    PlanDocument doc;
    doc.OnOpenDocument(plan);
    TiXmlDocument xml(plan.c_str());
    xml.LoadFile();
    double ours = 0, anchor = 0;
    for (auto _ : state) {
        const double start = BenchSeconds();
        if (!doc.OnSaveDocument(BenchPath("saved.tovendal")))
            state.SkipWithError("save failed");
        const double saved = BenchSeconds();
        if (!xml.SaveFile(BenchPath("printed.tovendal").c_str()))
            state.SkipWithError("TinyXML failed");
        const double printed = BenchSeconds();
        state.SetIterationTime(saved - start);
        ours += saved - start;
        anchor += printed - saved;
    }
    state.counters["tinyxml_ms"] = anchor * 1e3 / state.iterations();
    state.counters["x_tinyxml"] = ours / anchor;
}
BENCHMARK(BM_SaveBesideTinyXml)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond);

/// Our load (manual time) beside TinyXML parsing the same file; also the memory a loaded event takes.
void BM_LoadBesideTinyXml(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(int(state.range(0)));
    {
        const size_t before = mallinfo2().uordblks;
        PlanDocument doc;
        doc.OnOpenDocument(plan);
        state.counters["bytes_per_event"] =
            double(mallinfo2().uordblks - before) / doc.m_events.size();
    }
    double ours = 0, anchor = 0;
    for (auto _ : state) {
        const double start = BenchSeconds();
        if (!PlanDocument().OnOpenDocument(plan))
            state.SkipWithError("load failed");
        const double loaded = BenchSeconds();
        TiXmlDocument xml(plan.c_str());
        if (!xml.LoadFile())
            state.SkipWithError("TinyXML failed");
        const double parsed = BenchSeconds();
        state.SetIterationTime(loaded - start);
        ours += loaded - start;
        anchor += parsed - loaded;
    }
    state.counters["tinyxml_ms"] = anchor * 1e3 / state.iterations();
    state.counters["x_tinyxml"] = ours / anchor;
}
BENCHMARK(BM_LoadBesideTinyXml)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
