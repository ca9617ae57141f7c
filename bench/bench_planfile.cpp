// Save and load of plans with 1,000, 10,000 and 100,000 events, each timed
// beside TinyXML alone writing or parsing the same file in the same run.
#include "bench/benchsupport.h"
#include "document/plandocument.h"

#include <tinyxml.h>

#include <malloc.h>
#include <memory>

/// Our save (manual time) beside TinyXML printing the same document to a file.
void BM_SaveBesideTinyXml(benchmark::State& state)
{
    const std::string plan = BenchPlanFile(int(state.range(0)));
    const std::string saved = BenchPath("saved.tovendal"), printed = BenchPath("printed.tovendal");
    PlanDocument doc;
    doc.OnOpenDocument(plan);
    TiXmlDocument xml(plan.c_str());
    xml.LoadFile();
    // The save waits for the disk twice (the file and its folder are synced); TinyXML does not.
    TimeBeside(state, "tinyxml", [&] { return doc.OnSaveDocument(saved); },
               [&] { return xml.SaveFile(printed.c_str()); });
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
    std::unique_ptr<TiXmlDocument> xml; // freed untimed, after the step
    TimeBeside(state, "tinyxml", [&] { return PlanDocument().OnOpenDocument(plan); },
               [&] {
                   xml = std::make_unique<TiXmlDocument>(plan.c_str());
                   return xml->LoadFile();
               },
               [&] { xml.reset(); });
}
BENCHMARK(BM_LoadBesideTinyXml)->Arg(1000)->Arg(10000)->Arg(100000)->ArgNames({"events"})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
