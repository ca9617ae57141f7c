// Load and save of a plan with 10,000 events, beside TinyXML alone parsing and
// printing the same file, and the memory a loaded event takes.
#include "document/plandocument.h"

#include <wx/filename.h>

#include <tinyxml.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <cstdio>
#include <string>

namespace {

const int EVENT_COUNT = 10000;

/// A folder of its own for the benchmark files, made once.
const wxString& BenchDir()
{
    static const wxString dir = [] {
        char pattern[] = "/tmp/tovendal-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        return wxString(made ? made : "/tmp");
    }();
    return dir;
}

/// The path of a saved plan with EVENT_COUNT events, written on first use.
const wxString& PlanPath()
{
    static const wxString path = [] {
        const wxString file = BenchDir() + "/plan.tovendal";
        PlanDocument doc;
        doc.m_title = "Ten thousand events";
        doc.m_year = "2015";
        doc.m_yearEnd = "2016";
        doc.m_comments = "Comments of the benchmark plan\nsecond line";
        const wxDateTime start(1, wxDateTime::Jan, 2015);
        for (int i = 0; i < EVENT_COUNT; ++i) {
            PlanEvent* event = new PlanEvent;
            event->m_date = start + wxDateSpan::Days((i * 7919) % 730);
            event->m_text = wxString::Format("Event number %d of the plan", i);
            event->m_colour = (i % 3) ? "LIGHT BLUE" : "YELLOW";
            if (i % 4 == 0)
                event->m_textColour = "RED";
            if (i % 5 == 0) {
                event->m_toDate = event->m_date + wxDateSpan::Days(3);
                event->m_hasToDate = true;
                event->m_firstDayOnly = i % 10 == 0;
            }
            event->m_annual = i % 7 == 0;
            doc.m_events[doc.m_nextEventId++] = event;
        }
        if (!doc.OnSaveDocument(file))
            std::fprintf(stderr, "could not write the benchmark plan\n");
        return file;
    }();
    return path;
}

void BM_PlanLoad(benchmark::State& state)
{
    const wxString path = PlanPath();
    for (auto _ : state) {
        PlanDocument doc;
        if (!doc.OnOpenDocument(path) || doc.m_events.size() != EVENT_COUNT)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.m_events.size());
    }
}
BENCHMARK(BM_PlanLoad)->Unit(benchmark::kMillisecond);

void BM_TinyXmlParse(benchmark::State& state)
{
    const std::string path(PlanPath().fn_str());
    TiXmlBase::SetCondenseWhiteSpace(false);
    for (auto _ : state) {
        TiXmlDocument xml(path.c_str());
        if (!xml.LoadFile())
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(xml.FirstChild());
    }
}
BENCHMARK(BM_TinyXmlParse)->Unit(benchmark::kMillisecond);

void BM_PlanSave(benchmark::State& state)
{
    PlanDocument doc;
    doc.OnOpenDocument(PlanPath());
    const wxString out = BenchDir() + "/saved.tovendal";
    for (auto _ : state) {
        if (!doc.OnSaveDocument(out))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_PlanSave)->Unit(benchmark::kMillisecond);

void BM_TinyXmlPrintAndWrite(benchmark::State& state)
{
    TiXmlBase::SetCondenseWhiteSpace(false);
    TiXmlDocument xml(std::string(PlanPath().fn_str()).c_str());
    xml.LoadFile();
    const std::string out(wxString(BenchDir() + "/printed.tovendal").fn_str());
    for (auto _ : state) {
        if (!xml.SaveFile(out.c_str()))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_TinyXmlPrintAndWrite)->Unit(benchmark::kMillisecond);

void BM_PlanMemoryPerEvent(benchmark::State& state)
{
    const wxString path = PlanPath();
    double perEvent = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        PlanDocument* doc = new PlanDocument;
        doc->OnOpenDocument(path);
        const size_t after = mallinfo2().uordblks;
        perEvent = double(after - before) / EVENT_COUNT;
        delete doc;
    }
    state.counters["bytes_per_event"] = perEvent;
}
BENCHMARK(BM_PlanMemoryPerEvent)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
