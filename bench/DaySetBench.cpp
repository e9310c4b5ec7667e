// Cost of "day.set 12" through the registered console callback, resolutions and buffers included.
#include <benchmark/benchmark.h>

#include "BenchHost.h"
#include "DevHost.h"

namespace {

void BM_DaySetConsoleCallback(benchmark::State& state) {
  EnsurePluginLoaded();
  const ZelApi::ConsoleCallback callback = DevHost::ConsoleCallbackOf("day.set");
  FString line("day.set 12");
  for (auto _ : state) {
    callback(nullptr, &line, false);
    benchmark::ClobberMemory();
  }
  auto free = reinterpret_cast<void (*)(void*)>(ZelApi::GetAddress("FMemory.Free(void*)"));
  free(line.Data.Data);
}
BENCHMARK(BM_DaySetConsoleCallback)->Repetitions(5)->ReportAggregatesOnly(true);

// The same line as the host's console dispatch runs it: lookup, line buffer, callback.
void BM_DaySetConsoleDispatch(benchmark::State& state) {
  EnsurePluginLoaded();
  for (auto _ : state) benchmark::DoNotOptimize(DevHost::RunConsole("day.set 12"));
}
BENCHMARK(BM_DaySetConsoleDispatch)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
