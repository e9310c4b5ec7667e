// Cost of a policy timer call that is not due, beside a bare system-clock read, and of a due
// weekday run with and without "TimeZone".
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "BenchHost.h"
#include "DevHost.h"
#include "WallClock.h"

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

// The weekday policy alone, in the machine's local time or in "TimeZone".
std::string WeekDayConfig(bool zone) {
  return std::string(
             R"({"ForceDay": false, "DayToForce": 5, "FollowWeekCycle": true, "ResetWhenReachDay": false,
                         "DayToReset": 100, "DayToSetWhenReset": 1)") +
         (zone ? R"(, "TimeZone": "Europe/Berlin"})" : "}");
}

// A due "forceweekday" run (the date, the write, the network update), the clock a minute on
// each time.
void BM_WeekDayTickDue(benchmark::State& state) {
  if (!WallClock::Available()) std::abort();
  EnsurePluginLoadedWith(WeekDayConfig(state.range(0) != 0));
  WallClock::Set(WallClock::Utc(2027, 1, 1), false);
  const ZelApi::TimerCallback tick = DevHost::TimerCallbackOf("forceweekday");
  for (auto _ : state) {
    WallClock::Advance(std::chrono::minutes(1));
    tick();
  }
  WallClock::UseRealTime();
}
BENCHMARK(BM_WeekDayTickDue)->ArgName("zone")->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);

// The same policy not due: the zone is not looked at.
void BM_WeekDayTickNotDue(benchmark::State& state) {
  EnsurePluginLoadedWith(WeekDayConfig(state.range(0) != 0));
  const ZelApi::TimerCallback tick = DevHost::TimerCallbackOf("forceweekday");
  tick();
  for (auto _ : state) tick();
}
BENCHMARK(BM_WeekDayTickNotDue)->ArgName("zone")->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
