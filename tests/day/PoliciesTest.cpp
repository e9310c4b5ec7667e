// The scheduled policies on a wall clock the test controls: intervals, rules and local dates.
#include "support/FakeClock.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

using namespace std::chrono_literals;
using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;  // 100 ns

class Policies : public PluginTest {
 protected:
  void SetUp() override {
    if (!FakeClock::Available()) GTEST_SKIP() << "the wall clock cannot be set from a test here";
    PluginTest::SetUp();
    FakeClock::SetZone("UTC0");
    FakeClock::Set(FakeClock::Utc(2026, 3, 4, 12));
  }
  void TearDown() override {
    if (!FakeClock::Available()) return;
    FakeClock::Off();
    PluginTest::TearDown();
  }
  // Calls the timers once and returns the day writes and updates they made.
  Seq Tick() {
    DevHost::RunTimers();
    return TakeGame();
  }
  // Same, after moving the clock by d.
  Seq TickAfter(std::chrono::nanoseconds d) {
    FakeClock::Advance(d);
    return Tick();
  }
};

const Seq kWrote5 = {"day 5", "update 5"};

TEST_F(Policies, ForceDayHoldsTheDayEveryFiveMinutesToTheTick) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  EXPECT_EQ(Tick(), kWrote5);  // due at the first call
  Console("day.set 9");
  TakeGame();
  EXPECT_EQ(TickAfter(Ticks(2'999'999'999)), Seq{});  // one tick early
  EXPECT_DAY(9, 9);
  EXPECT_EQ(TickAfter(Ticks(1)), kWrote5);  // exactly 300 s after the run
  EXPECT_EQ(Tick(), Seq{});
}

TEST_F(Policies, AfterALongGapAPolicyRunsOnceWithNoBacklog) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  Tick();
  DevHost::SetGameDay(9);
  EXPECT_EQ(TickAfter(6h), kWrote5);
  DevHost::SetGameDay(9);
  EXPECT_EQ(TickAfter(1s), Seq{});
  EXPECT_EQ(TickAfter(299s), kWrote5);  // the interval counts from the late run
}

TEST_F(Policies, SameValueStillPushesAnUpdate) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  DevHost::SetGameDay(5);
  EXPECT_EQ(Tick(), Seq{"update 5"});
}

TEST_F(Policies, ClockSetBackwardsMakesThePolicyDueAndRearmsFromNow) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  Tick();
  Console("day.set 9");
  TakeGame();
  EXPECT_EQ(TickAfter(-48h), kWrote5);  // not silent for two days
  DevHost::SetGameDay(9);
  EXPECT_EQ(TickAfter(299s), Seq{});
  EXPECT_EQ(TickAfter(1s), kWrote5);
}

TEST_F(Policies, ClockForwardWithinTheIntervalIsNotEarly) {
  LoadWith(ConfigJson(false, true, false));
  Tick();
  EXPECT_EQ(TickAfter(59s), Seq{});
  EXPECT_EQ(TickAfter(1s), Seq{"update 3"});
}

TEST_F(Policies, NoWorldSkipsTheRunButStillWaitsTheInterval) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  DevHost::SetWorldPresent(false);
  EXPECT_EQ(Tick(), Seq{});
  DevHost::SetWorldPresent(true);
  EXPECT_EQ(TickAfter(299s), Seq{});
  EXPECT_EQ(TickAfter(1s), kWrote5);
}

TEST_F(Policies, WeekDayFollowsTheLocalCalendarSundayIsSeven) {
  LoadWith(ConfigJson(false, true, false));
  FakeClock::Set(FakeClock::Utc(2026, 3, 1, 12));  // a Sunday
  const int32_t expected[] = {7, 1, 2, 3, 4, 5, 6, 7};
  for (int32_t day : expected) {
    const std::string d = std::to_string(day);
    EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << "expected weekday " << d;
    FakeClock::Advance(24h);
  }
}

TEST_F(Policies, WeekDayEveryMinute) {
  LoadWith(ConfigJson(false, true, false));
  EXPECT_EQ(Tick(), (Seq{"day 3", "update 3"}));  // 2026-03-04 is a Wednesday
  EXPECT_EQ(TickAfter(Ticks(599'999'999)), Seq{});
  EXPECT_EQ(TickAfter(Ticks(1)), (Seq{"update 3"}));
}

struct ZoneCase {
  const char* zone;
  FakeClock::Time at;
  int32_t monthDay;
};

TEST_F(Policies, MonthDayIsDecidedByTheLocalZoneNearMidnight) {
  const ZoneCase cases[] = {
      {"UTC0", FakeClock::Utc(2026, 1, 31, 23, 30), 31},
      {"JST-9", FakeClock::Utc(2026, 1, 31, 23, 30), 1},  // already 1 February in Tokyo
      {"UTC0", FakeClock::Utc(2026, 2, 1, 0, 30), 1},
      {"EST5", FakeClock::Utc(2026, 2, 1, 0, 30), 31},  // still 31 January in New York
  };
  for (const auto& c : cases) {
    FakeClock::SetZone(c.zone);
    FakeClock::Set(c.at);
    LoadWith(ConfigJson(false, false, false, "true"));  // a fresh load: due at once
    DevHost::SetGameDay(100);
    const std::string d = std::to_string(c.monthDay);
    EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << c.zone;
    EXPECT_EQ(TickAfter(299s), Seq{}) << c.zone;
    Unload();
  }
}

TEST_F(Policies, ResetDaysWrapsAtTheLimitOnceAMinute) {
  LoadWith(ConfigJson(false, false, true, "", 5, 100, 1));
  DevHost::SetGameDay(99);
  EXPECT_EQ(Tick(), Seq{});  // below the limit: checked, left alone
  DevHost::SetGameDay(100);
  EXPECT_EQ(TickAfter(59s), Seq{});  // the check waits a full minute even when it wrote nothing
  EXPECT_EQ(TickAfter(1s), (Seq{"day 1", "update 1"}));
  DevHost::SetGameDay(150);
  EXPECT_EQ(TickAfter(60s), (Seq{"day 1", "update 1"}));
}

TEST_F(Policies, ResetValueAtOrAboveTheLimitRewritesEveryMinute) {
  LoadWith(ConfigJson(false, false, true, "", 5, 10, 10));
  DevHost::SetGameDay(10);
  EXPECT_EQ(Tick(), Seq{"update 10"});
  EXPECT_EQ(TickAfter(60s), Seq{"update 10"});
  EXPECT_EQ(TickAfter(60s), Seq{"update 10"});
}

TEST_F(Policies, AllPoliciesRunInRegistrationOrderOnTheirOwnSchedules) {
  FakeClock::Set(FakeClock::Utc(2026, 3, 4, 12));  // Wednesday the 4th
  LoadWith(ConfigJson(true, true, true, "true", 5, 4, 2));
  // forceday 5, forceweekday 3, resetdays finds 3 below 4, forcemonthday 4.
  EXPECT_EQ(Tick(), (Seq{"day 5", "update 5", "day 3", "update 3", "day 4", "update 4"}));
  // At 60 s only the one-minute policies are due: weekday 3, then the reset finds 3 below 4.
  EXPECT_EQ(TickAfter(60s), (Seq{"day 3", "update 3"}));
  // At 300 s all four: 5, 3, no reset, 4.
  EXPECT_EQ(TickAfter(240s), (Seq{"day 5", "update 5", "day 3", "update 3", "day 4", "update 4"}));
}

}  // namespace
}  // namespace morrowset::test
