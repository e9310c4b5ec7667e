// Cost of a policy timer call that is not due, beside a bare system-clock read.
#include <benchmark/benchmark.h>

#include <chrono>

#include "BenchHost.h"
#include "DevHost.h"

namespace {

void BM_SystemClockNow(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(std::chrono::system_clock::now());
}
BENCHMARK(BM_SystemClockNow)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ForceDayTickNotDue(benchmark::State& state) {
  EnsurePluginLoaded();
  const ZelApi::TimerCallback tick = DevHost::TimerCallbackOf("forceday");
  tick();  // due once; every call after it within 300 s is not
  for (auto _ : state) tick();
}
BENCHMARK(BM_ForceDayTickNotDue)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
