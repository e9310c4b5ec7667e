// A simulated session: set up in its order, handed back in reverse, one at a time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

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
  const LocalCalendar calendar(chatham);
  const auto start = WallClock::Utc(2027, 1, 31, 14, 50);
  std::vector<std::string> heard;
  Simulation::Setup setup;
  setup.serverDir = "nowhere";
  setup.start = start;
  setup.dayLengthSeconds = 600;
  setup.day = 41;
  setup.calendar = &calendar;
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
  DevHost::SetDayLength(1);  // dawns that a listener kept past the session would hear
  DevHost::RunDayCycleUntil(std::chrono::system_clock::now() + std::chrono::seconds(5));
  EXPECT_EQ(heard.size(), 1u);
  Simulation again(setup);  // the one before was closed
  EXPECT_EQ(DevHost::ReplicatedDay(), 41);
}

#if defined(_WIN32)
// Returns where a function of a system DLL starts, taken before anything is redirected.
const char* CodeOf(const char* dll, const char* function) {
  const HMODULE module = GetModuleHandleA(dll);
  return module ? reinterpret_cast<const char*>(GetProcAddress(module, function)) : nullptr;
}

// The simulated clock writes no code: the system's time functions keep every byte while the
// program, the stand-in and the plugin read the server's clock through their import tables.
TEST(Simulation, TheClockOnWindowsLeavesTheSystemsCodeAlone) {
  const std::pair<const char*, const char*> functions[] = {{"kernel32.dll", "GetSystemTimeAsFileTime"},
                                                           {"kernel32.dll", "GetSystemTimePreciseAsFileTime"},
                                                           {"kernelbase.dll", "GetSystemTimeAsFileTime"},
                                                           {"ucrtbase.dll", "_time64"},
                                                           {"msvcp140.dll", "_Xtime_get_ticks"}};
  std::vector<const char*> code;
  std::vector<std::string> before;
  for (const auto& [dll, function] : functions) {
    code.push_back(CodeOf(dll, function));
    ASSERT_NE(code.back(), nullptr) << dll << " " << function;
    before.emplace_back(code.back(), 32);
  }
  ASSERT_TRUE(WallClock::Available());
  Simulation::Setup setup;
  setup.serverDir = "nowhere";
  const auto start = WallClock::Utc(2031, 5, 6, 7, 8, 9);
  setup.start = start;
  {
    Simulation session(setup);
    EXPECT_EQ(std::time(nullptr), std::chrono::system_clock::to_time_t(start));
    EXPECT_EQ(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()), start);
  }
  for (std::size_t i = 0; i < std::size(functions); ++i)
    EXPECT_EQ(std::string(code[i], 32), before[i]) << functions[i].first << " " << functions[i].second;
  EXPECT_LT(
      std::llabs(std::time(nullptr) - std::chrono::system_clock::to_time_t(std::chrono::system_clock::now())),
      2);  // the real time again
}
#endif

}  // namespace
