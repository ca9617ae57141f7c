#ifndef TOVENDAL_BENCH_BENCHSUPPORT_H
#define TOVENDAL_BENCH_BENCHSUPPORT_H

#include <string>

/// A plan file with the given number of events (made once per size, in a
/// folder of the benchmark's own): varied dates, a fifth with end dates, a
/// seventh annual, named and unnamed colours.
std::string BenchPlanFile(int events);

/// A path in the benchmark's folder for files a benchmark writes.
std::string BenchPath(const std::string& name);

/// Seconds on a monotonic clock, for timing a step beside its anchor.
double BenchSeconds();

/// Seconds of processor time this thread has used: a step's own work, without
/// waiting for the disk or for other processes on a busy machine.
double BenchCpuSeconds();

#endif // TOVENDAL_BENCH_BENCHSUPPORT_H
