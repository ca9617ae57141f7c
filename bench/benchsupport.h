#ifndef TOVENDAL_BENCH_BENCHSUPPORT_H
#define TOVENDAL_BENCH_BENCHSUPPORT_H

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

class PlanDocument;

/// A new plan with the given number of events spread over the days from 1 January of the year:
/// a fifth with end dates, a seventh annual, named, hexadecimal and no colours.
PlanDocument* NewBenchPlan(int events, int year, int days);

/// The file of a plan of 2015 and 2016 with the given number of events, made once per size in
/// the benchmark's own folder.
std::string BenchPlanFile(int events);

/// A path in the benchmark's own folder, which is removed when the run ends.
std::string BenchPath(const std::string& name);

/// Times ours and then the anchor it is judged by in each iteration (tidy runs untimed after
/// them). Our wall time is the iteration's manual time; the counters give the anchor's mean time
/// ("<anchor>_ms") and our wall and this thread's processor time over the anchor's ("x_<anchor>",
/// "cpu_x_<anchor>"), the latter free of waits for the disk or for other processes.
void TimeBeside(benchmark::State& state, const std::string& anchor,
                const std::function<bool()>& ours, const std::function<bool()>& anchorStep,
                const std::function<void()>& tidy = {});

#endif // TOVENDAL_BENCH_BENCHSUPPORT_H
