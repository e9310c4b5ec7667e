// The scheduled policies on a wall clock the test controls: intervals, rules and local dates.
#include "WallClock.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

using namespace std::chrono_literals;
using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;  // 100 ns

class Policies : public PluginTest {
 protected:
  void SetUp() override {
    if (!WallClock::Available()) GTEST_SKIP() << "the wall clock cannot be set from a test here";
    PluginTest::SetUp();
    SetZone("UTC0");
    WallClock::Set(WallClock::Utc(2026, 3, 4, 12), false);
  }
  void TearDown() override {
    if (!WallClock::Available()) return;
    WallClock::UseRealTime();
    PluginTest::TearDown();
  }
  static void SetZone(const char* zone) {
    std::string why;
    ASSERT_TRUE(WallClock::SetZone(zone, why)) << why;
  }
  // Calls the timers once and returns the day writes and updates they made.
  Seq Tick() {
    DevHost::RunTimers();
    return TakeGame();
  }
  // Same, after moving the clock by d.
  Seq TickAfter(std::chrono::nanoseconds d) {
    WallClock::Advance(d);
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

TEST_F(Policies, SameValueIsStillAWriteWithItsUpdate) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  DevHost::SetGameDay(5);
  EXPECT_EQ(Tick(), kWrote5);
  EXPECT_EQ(DevHost::NetUpdates(), 1);
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
  EXPECT_EQ(TickAfter(1s), (Seq{"day 3", "update 3"}));
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
  WallClock::Set(WallClock::Utc(2026, 3, 1, 12), false);  // a Sunday
  const int32_t expected[] = {7, 1, 2, 3, 4, 5, 6, 7};
  for (int32_t day : expected) {
    const std::string d = std::to_string(day);
    EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << "expected weekday " << d;
    WallClock::Advance(24h);
  }
}

TEST_F(Policies, WeekDayEveryMinute) {
  LoadWith(ConfigJson(false, true, false));
  EXPECT_EQ(Tick(), (Seq{"day 3", "update 3"}));  // 2026-03-04 is a Wednesday
  EXPECT_EQ(TickAfter(Ticks(599'999'999)), Seq{});
  EXPECT_EQ(TickAfter(Ticks(1)), (Seq{"day 3", "update 3"}));
}

struct ZoneCase {
  const char* zone;
  WallClock::Time at;
  int32_t monthDay;
};

TEST_F(Policies, MonthDayIsDecidedByTheLocalZoneNearMidnight) {
  const ZoneCase cases[] = {
      {"UTC0", WallClock::Utc(2026, 1, 31, 23, 30), 31},
      {"JST-9", WallClock::Utc(2026, 1, 31, 23, 30), 1},  // already 1 February in Tokyo
      {"UTC0", WallClock::Utc(2026, 2, 1, 0, 30), 1},
      {"EST5", WallClock::Utc(2026, 2, 1, 0, 30), 31},  // still 31 January in New York
  };
  for (const auto& c : cases) {
    SetZone(c.zone);
    WallClock::Set(c.at, false);
    LoadWith(ConfigJson(false, false, false, "true"));  // a fresh load: due at once
    DevHost::SetGameDay(100);
    const std::string d = std::to_string(c.monthDay);
    EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << c.zone;
    EXPECT_EQ(TickAfter(299s), Seq{}) << c.zone;
    Unload();
  }
}

// With "TimeZone" set, the weekday turns at Berlin's midnight, whatever the process's own zone,
// on both sides of both changes of 2027 (28 March and 31 October).
TEST_F(Policies, WeekDayTurnsAtMidnightInTheConfiguredZoneAcrossDaylightSaving) {
  SetZone("JST-9");
  struct Midnight {
    WallClock::Time at;  // Berlin's midnight, in UTC
    int32_t before, after;
  };
  const Midnight midnights[] = {
      {WallClock::Utc(2027, 3, 27, 23), 6, 7},   // into the Sunday of the change: still CET
      {WallClock::Utc(2027, 3, 28, 22), 7, 1},   // out of it: CEST
      {WallClock::Utc(2027, 10, 30, 22), 6, 7},  // into the Sunday of the change back: CEST
      {WallClock::Utc(2027, 10, 31, 23), 7, 1},  // out of it: CET again
  };
  for (const auto& m : midnights) {
    for (const auto& [at, weekday] : {std::pair(m.at - 1s, m.before), std::pair(m.at, m.after)}) {
      WallClock::Set(at, false);
      LoadWith(WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""));
      const std::string d = std::to_string(weekday);
      EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << DevHost::LocalTime(at, "%F %T JST");
      Unload();
    }
  }
}

TEST_F(Policies, MonthDayInTheConfiguredZoneAcrossTheDateLine) {
  SetZone("UTC0");
  const std::pair<const char*, int32_t> zones[] = {
      {"Pacific/Kiritimati", 2},  // +14: already the next day
      {"Pacific/Pago_Pago", 31},  // -11: still the day before
      {"Asia/Kathmandu", 1},      // +5:45
      {"UTC", 1},
  };
  WallClock::Set(WallClock::Utc(2027, 1, 1, 10, 30), false);
  for (const auto& [zone, monthDay] : zones) {
    LoadWith(
        WithMember(ConfigJson(false, false, false, "true"), "TimeZone", std::string("\"") + zone + "\""));
    const std::string d = std::to_string(monthDay);
    EXPECT_EQ(Tick(), (Seq{"day " + d, "update " + d})) << zone;
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
  const Seq rewrote10 = {"day 10", "update 10"};
  EXPECT_EQ(Tick(), rewrote10);
  EXPECT_EQ(TickAfter(60s), rewrote10);
  EXPECT_EQ(TickAfter(60s), rewrote10);
}

TEST_F(Policies, AllPoliciesRunInRegistrationOrderOnTheirOwnSchedules) {
  WallClock::Set(WallClock::Utc(2026, 3, 4, 12), false);  // Wednesday the 4th
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
