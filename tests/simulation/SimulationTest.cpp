// A simulated session: set up in its order, handed back in reverse, one at a time.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Simulation.h"
#include "WallClock.h"
#include "config/zones/TimeZone.h"

namespace {

// The clock is set before the host starts its day cycle, so the first dawn comes one game day
// after the session's start; the day, the zone and the listener are in place before anything
// loads; closing gives back the real time and drops the zone and the listener.
TEST(Simulation, OpensInItsOrderAndClosesInReverse) {
  if (!WallClock::Available()) GTEST_SKIP() << "no simulated clock on this platform";
  cctz::time_zone chatham;  // a zone no test machine runs in
  ASSERT_TRUE(TimeZones::Load("Pacific/Chatham", chatham));
  const LocalCalendar times(chatham);
  const auto start = WallClock::Utc(2027, 1, 31, 14, 50);
  std::vector<std::string> heard;
  Simulation::Setup setup;
  setup.serverDir = "nowhere";
  setup.start = start;
  setup.dayLengthSeconds = 600;
  setup.day = 41;
  setup.times = &times;
  setup.listener = [&heard](const DevHost::Event& event) {
    heard.push_back(DevHost::LocalTime(event.at, "%H:%M:%S %Z ") + event.Sentence());
  };
  {
    Simulation session(setup);
    EXPECT_EQ(WallClock::Now(), start);
    EXPECT_EQ(DevHost::ReplicatedDay(), 41);
    DevHost::RunDayCycleUntil(start + std::chrono::seconds(599));
    WallClock::Advance(std::chrono::minutes(10));
    DevHost::RunDayCycleUntil(WallClock::Now());
    EXPECT_EQ(heard, (std::vector<std::string>{"04:45:00 +1345 a new day dawns: day 42"}));
    EXPECT_EQ(session.LoadServerPlugins(), "no plugins in nowhere");
    EXPECT_THROW(Simulation another(setup), std::logic_error);
  }
  EXPECT_TRUE(WallClock::IsReal());
  EXPECT_NE(DevHost::LocalTime(start, "%Z"), "+1345");  // the server's own zone again
  DevHost::SetGameDay(7);
  EXPECT_EQ(heard.size(), 1u);
  Simulation again(setup);  // the one before was closed
  EXPECT_EQ(DevHost::ReplicatedDay(), 41);
}

}  // namespace
