// Load and save of a plan with 10,000 events, beside TinyXML alone parsing and
// printing the same file, and the memory a loaded event takes.
#include "document/plandocument.h"

#include <tinyxml.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <cstdlib>
#include <string>

namespace {

const size_t EVENT_COUNT = 10000;
char g_dir[] = "/tmp/tovendal-bench-XXXXXX";
const std::string DIR = mkdtemp(g_dir) ? g_dir : "/tmp";

/// The path of a saved plan with EVENT_COUNT events, written on first use.
std::string PlanPath()
{
    static bool written = false;
    PlanDocument doc;
    for (size_t i = 0; !written && i < EVENT_COUNT; ++i) {
        PlanEvent* event = new PlanEvent;
        event->m_date = wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days((i * 7919) % 730);
        event->m_text = wxString::Format("Event number %zu of the plan", i);
        event->m_colour = (i % 3) ? "LIGHT BLUE" : "YELLOW";
        event->m_hasToDate = i % 5 == 0;
        event->m_toDate = event->m_date + wxDateSpan::Days(3);
        event->m_annual = i % 7 == 0;
        doc.m_events[doc.m_nextEventId++] = event;
    }
    written = written || doc.OnSaveDocument(DIR + "/plan.tovendal");
    return DIR + "/plan.tovendal";
}

void BM_PlanLoad(benchmark::State& state)
{
    const size_t before = mallinfo2().uordblks;
    PlanDocument* loaded = new PlanDocument;
    loaded->OnOpenDocument(PlanPath());
    state.counters["bytes_per_event"] = double(mallinfo2().uordblks - before) / EVENT_COUNT;
    delete loaded;
    for (auto _ : state) {
        PlanDocument doc;
        if (!doc.OnOpenDocument(PlanPath()) || doc.m_events.size() != EVENT_COUNT)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_PlanLoad)->Unit(benchmark::kMillisecond);

void BM_PlanSave(benchmark::State& state)
{
    PlanDocument doc;
    doc.OnOpenDocument(PlanPath());
    for (auto _ : state) {
        if (!doc.OnSaveDocument(DIR + "/saved.tovendal"))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_PlanSave)->Unit(benchmark::kMillisecond);

void BM_TinyXmlParseAndPrint(benchmark::State& state)
{
    TiXmlBase::SetCondenseWhiteSpace(false);
    TiXmlDocument xml(PlanPath().c_str());
    const bool print = state.range(0);
    xml.LoadFile();
    for (auto _ : state) {
        if (!(print ? xml.SaveFile((DIR + "/printed.tovendal").c_str()) : xml.LoadFile()))
            state.SkipWithError("TinyXML failed");
    }
}
BENCHMARK(BM_TinyXmlParseAndPrint)->Arg(0)->Arg(1)->ArgNames({"print"})->Unit(benchmark::kMillisecond);

} // namespace
