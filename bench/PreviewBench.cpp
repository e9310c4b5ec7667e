// The preview's run: the plugin's timers over 30 days and a year at a 1 s round with all four
// policies and the day cycle on, every event aggregated per local date as morrowset-preview does.
#include <benchmark/benchmark.h>

#include <chrono>

#include "BenchHost.h"
#include "DaySummary.h"
#include "DevHost.h"
#include "GameClock.h"
#include "WallClock.h"
#include "config/zones/TimeZone.h"

namespace {

const char* kAllFour = R"({"ForceDay": true, "DayToForce": 5, "FollowWeekCycle": true,
                           "ResetWhenReachDay": true, "DayToReset": 100, "DayToSetWhenReset": 1,
                           "FollowMonthDayNumber": true, "TimeZone": "Europe/Berlin"})";

void BM_PreviewAllPolicies(benchmark::State& state) {
  if (!WallClock::Available()) std::abort();
  Simulation& session = EnsurePluginLoadedWith(kAllFour);
  cctz::time_zone berlin;
  if (!TimeZones::Load("Europe/Berlin", berlin)) std::abort();
  const LocalCalendar calendar(berlin);
  const auto span = std::chrono::hours(24 * state.range(0));
  std::size_t dates = 0;
  for (auto _ : state) {
    const Time from = WallClock::Utc(2027, 3, 1);
    WallClock::Set(from, false);
    DevHost::SetDayLength(1800);
    DayRecorder record(calendar, from, from + span, std::chrono::seconds(1), DevHost::ReplicatedDay(),
                       {"forceday", "forceweekday", "resetdays", "forcemonthday"});
    session.Listen([&record](const DevHost::Event& event) { record.OnEvent(event); });
    GameClock clock(std::chrono::seconds(1));
    clock.Advance(span);
    record.Finish();
    dates = record.Dates().size();
  }
  state.counters["dates"] = static_cast<double>(dates);
  session.Listen(nullptr);
  DevHost::SetDayLength(0);
  WallClock::UseRealTime();
}
BENCHMARK(BM_PreviewAllPolicies)->Arg(30)->Arg(365)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
