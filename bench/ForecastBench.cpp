// Time travel: a 30-day forecast with all four policies on, and one host timer round with
// nothing due beside the four registered callbacks called directly.
#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>

#include "BenchHost.h"
#include "DevHost.h"
#include "Forecast.h"
#include "WallClock.h"

namespace {

using namespace std::chrono_literals;

const char* kAllFour = R"({"ForceDay": true, "DayToForce": 5, "FollowWeekCycle": true,
                           "ResetWhenReachDay": true, "DayToReset": 100, "DayToSetWhenReset": 1,
                           "FollowMonthDayNumber": true})";
const char* kTimers[] = {"forceday", "forceweekday", "resetdays", "forcemonthday"};

// The four policies loaded, the clock standing still, every policy just run; returns the session.
Simulation& StartStill() {
  if (!WallClock::Available()) std::abort();
  Simulation& session = EnsurePluginLoadedWith(kAllFour);
  WallClock::Set(WallClock::Utc(2027, 1, 1), false);
  DevHost::RunTimers();
  return session;
}

// As `morrowset-devserver --forecast 30d`: 2,592,000 rounds at a 1 s cadence, day cycle on.
void BM_Forecast30DaysAllPolicies(benchmark::State& state) {
  Simulation& session = StartStill();
  DevHost::SetDayLength(1800);
  for (auto _ : state) {
    std::ostringstream out;
    Forecast forecast(out);
    session.Listen([&forecast](const DevHost::Event& event) { forecast.OnEvent(event); });
    GameClock clock(1s);
    benchmark::DoNotOptimize(RunForecast(forecast, clock, std::chrono::hours(24 * 30), 1800));
  }
  session.Listen(nullptr);
  DevHost::SetDayLength(0);
  WallClock::UseRealTime();
}
BENCHMARK(BM_Forecast30DaysAllPolicies)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TimerRoundNothingDue(benchmark::State& state) {
  StartStill();
  for (auto _ : state) DevHost::RunTimers();
  WallClock::UseRealTime();
}
BENCHMARK(BM_TimerRoundNothingDue)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FourCallbacksDirectNothingDue(benchmark::State& state) {
  StartStill();
  ZelApi::TimerCallback callbacks[4];
  for (int i = 0; i < 4; ++i) callbacks[i] = DevHost::TimerCallbackOf(kTimers[i]);
  for (auto _ : state)
    for (const auto& callback : callbacks) callback();
  WallClock::UseRealTime();
}
BENCHMARK(BM_FourCallbacksDirectNothingDue)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
