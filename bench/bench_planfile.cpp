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
    double ours = 0, anchor = 0, oursCpu = 0, anchorCpu = 0;
    for (auto _ : state) {
        const double start = BenchSeconds(), startCpu = BenchCpuSeconds();
        if (!doc.OnSaveDocument(BenchPath("saved.tovendal")))
            state.SkipWithError("save failed");
        const double saved = BenchSeconds(), savedCpu = BenchCpuSeconds();
        if (!xml.SaveFile(BenchPath("printed.tovendal").c_str()))
            state.SkipWithError("TinyXML failed");
        const double printed = BenchSeconds(), printedCpu = BenchCpuSeconds();
        state.SetIterationTime(saved - start);
        ours += saved - start;
        anchor += printed - saved;
        oursCpu += savedCpu - startCpu;
        anchorCpu += printedCpu - savedCpu;
    }
    state.counters["tinyxml_ms"] = anchor * 1e3 / state.iterations();
    state.counters["x_tinyxml"] = ours / anchor;
    // The save waits for the disk twice (the file and its folder are synced); TinyXML does not.
    state.counters["cpu_x_tinyxml"] = oursCpu / anchorCpu;
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
    double ours = 0, anchor = 0, oursCpu = 0, anchorCpu = 0;
    for (auto _ : state) {
        const double start = BenchSeconds(), startCpu = BenchCpuSeconds();
        if (!PlanDocument().OnOpenDocument(plan))
            state.SkipWithError("load failed");
        const double loaded = BenchSeconds(), loadedCpu = BenchCpuSeconds();
        TiXmlDocument xml(plan.c_str());
        if (!xml.LoadFile())
            state.SkipWithError("TinyXML failed");
        const double parsed = BenchSeconds(), parsedCpu = BenchCpuSeconds();
        state.SetIterationTime(loaded - start);
        ours += loaded - start;
        anchor += parsed - loaded;
        oursCpu += loadedCpu - startCpu;
        anchorCpu += parsedCpu - loadedCpu;
    }
    state.counters["tinyxml_ms"] = anchor * 1e3 / state.iterations();
    state.counters["x_tinyxml"] = ours / anchor;
    state.counters["cpu_x_tinyxml"] = oursCpu / anchorCpu;
}
BENCHMARK(BM_LoadBesideTinyXml)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
