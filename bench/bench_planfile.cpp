// Load and save of a plan with 10,000 events, beside TinyXML alone parsing and
// printing the same file, and the memory a loaded event takes.
#include "document/plandocument.h"

#include <tinyxml.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <cstdlib>

namespace {

/// A folder of the benchmark's own, holding plan.tovendal with 10,000 events (made once).
std::string Dir()
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/tovendal-bench-XXXXXX";
        const std::string made = mkdtemp(pattern) ? pattern : "/tmp";
        PlanDocument doc;
        for (int i = 0; i < 10000; ++i) {
            PlanEvent* event = new PlanEvent;
            event->m_date = wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days((i * 7919) % 730);
            event->m_text = wxString::Format("Event number %d of the plan", i);
            doc.m_events[doc.m_nextEventId++] = event;
        }
        doc.OnSaveDocument(made + "/plan.tovendal");
        return made;
    }();
    return dir;
}

/// Our load (0, with the memory a loaded event takes) or save (1).
void BM_Plan(benchmark::State& state)
{
    const size_t before = mallinfo2().uordblks;
    PlanDocument doc;
    doc.OnOpenDocument(Dir() + "/plan.tovendal");
    state.counters["bytes_per_event"] = double(mallinfo2().uordblks - before) / doc.m_events.size();
    for (auto _ : state) {
        if (!(state.range(0) ? doc.OnSaveDocument(Dir() + "/saved.tovendal")
                             : PlanDocument().OnOpenDocument(Dir() + "/plan.tovendal")))
            state.SkipWithError("failed");
    }
}
BENCHMARK(BM_Plan)->Arg(0)->Arg(1)->ArgNames({"save"})->Unit(benchmark::kMillisecond);

/// TinyXML alone parsing (0) or printing and writing (1) the same file.
void BM_TinyXml(benchmark::State& state)
{
    TiXmlDocument xml((Dir() + "/plan.tovendal").c_str());
    xml.LoadFile();
    for (auto _ : state) {
        if (!(state.range(0) ? xml.SaveFile((Dir() + "/printed.tovendal").c_str()) : xml.LoadFile()))
            state.SkipWithError("failed");
    }
}
BENCHMARK(BM_TinyXml)->Arg(0)->Arg(1)->ArgNames({"print"})->Unit(benchmark::kMillisecond);

} // namespace
