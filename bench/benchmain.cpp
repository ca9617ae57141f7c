// Shared main of the benchmarks: a GUI application object, so device
// contexts work, then Google Benchmark's own run.
#include "app/app.h"

#include <wx/init.h>

#include <benchmark/benchmark.h>

#include <cstdio>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

int main(int argc, char** argv)
{
    wxApp::SetInstance(new TovendalApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "could not start the toolkit (no display?)\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
