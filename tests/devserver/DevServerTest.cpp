// The morrowset-devserver program end to end, driven through its standard input.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "config/zones/TimeZone.h"
#include "support/PluginHost.h"
#include "support/ServerProcess.h"
#include "ServerRun.h"

namespace morrowset::test {
namespace {

TEST(DevServer, DaySetFromStandardInputIsWrittenReplicatedAndShownByStatus) {
  int status = 0;
  const std::string out = RunServer("--no-rcon --day-length 0", "status\nday.set 12\nstatus\nquit\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde loaded")) << out;
  EXPECT_TRUE(Contains(out,
                       "day=1 replicated=1 plugin=loaded console=day.set rcon=day.set timers=- "
                       "buffers=0"))
      << out;
  // Each event with its time and source: the write, then its update, in the same second.
  EXPECT_TRUE(std::regex_search(out, std::regex("(\\d\\d:\\d\\d:\\d\\d) console: day written: 12\n"
                                                "\\1 console: replicated to clients: day 12\n")))
      << out;
  EXPECT_TRUE(Contains(out, "day=12 replicated=12 plugin=loaded")) << out;
  EXPECT_TRUE(Contains(out, "unregister timer forcemonthday")) << out;
  EXPECT_TRUE(Contains(out, "plugin=unloaded console=- rcon=- timers=- buffers=0 log_lines=0 faults=0"))
      << out;
}

TEST(DevServer, EndOfInputUnloadsAndExitsCleanly) {
  int status = 0;
  const std::string out = RunServer("--no-rcon --day-length 0", "day.set 3\nnonsense here\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "unknown command: nonsense")) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde unloaded")) << out;
}

TEST(DevServer, FailedStartUpIsPrintedAndTheServerKeepsRunning) {
  const std::string dir = ServerFolder("devserver-failed", "");
  int status = 0;
  const std::string out =
      RunServer("--no-rcon --day-length 0 --server-dir " + Quote(dir), "status\nquit\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde failed: Can't open config.json")) << out;
  EXPECT_TRUE(Contains(out, "plugin=failed console=- rcon=- timers=- buffers=0")) << out;
  std::filesystem::remove_all(dir);
}

#if !defined(_WIN32)
TEST(DevServer, PolicyWritesAreShownAsTheyHappen) {
  const std::string dir = ServerFolder("devserver-live", ConfigJson(true, false, false, "", 5));
  // Rounds a minute apart on the server's clock, which advance moves on: nothing waits for time.
  ServerProcess server({"--no-rcon", "--day-length", "0", "--timer-interval", "60", "--server-dir", dir});
  server.Send("advance 1m");
  EXPECT_NE(server.WaitFor("day written: 5"), "") << server.Output();
  EXPECT_NE(server.WaitFor("replicated to clients: day 5"), "") << server.Output();
  server.Send("status");
  EXPECT_NE(server.WaitFor("day=5 replicated=5 plugin=loaded"), "") << server.Output();
  EXPECT_EQ(server.Finish(), 0);
  std::filesystem::remove_all(dir);
}

// The machine's clock as libfaketime sets it for a dev server started under it: it stands in
// for an admin or a time sync setting the machine's clock.
class MachineClock {
 public:
  static constexpr const char* kLibrary = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
  explicit MachineClock(const std::string& name) : file_(testing::TempDir() + name) {
    Set("2027-03-10 12:00:00");
  }
  // Starts the dev server with the machine's clock read from the file.
  std::unique_ptr<ServerProcess> Start(const std::vector<std::string>& args) const {
    const std::pair<const char*, const char*> environment[] = {
        {"LD_PRELOAD", kLibrary},
        {"FAKETIME_TIMESTAMP_FILE", file_.c_str()},
        {"FAKETIME_NO_CACHE", "1"},
        {"FAKETIME_DONT_FAKE_MONOTONIC", "1"},          // real time stays real
        {"ASAN_OPTIONS", "verify_asan_link_order=0"}};  // the sanitizer build: faketime comes first
    for (const auto& [name, value] : environment) setenv(name, value, 1);
    auto server = std::make_unique<ServerProcess>(args);
    for (const auto& [name, value] : environment) unsetenv(name);
    return server;
  }
  // Steps the machine's clock to "YYYY-MM-DD HH:MM:SS", from where it runs on.
  void Set(const std::string& at) const { std::ofstream(file_) << "@" << at << "\n"; }

 private:
  std::string file_;
};

// Without --clock the server's clock is the machine's: when the machine's clock is set back two
// days, status shows it at once.
TEST(DevServer, WithoutClockTheServerFollowsStepsOfTheMachinesClock) {
  if (!std::filesystem::exists(MachineClock::kLibrary)) GTEST_SKIP() << "libfaketime is not installed";
  const MachineClock machine("devserver-machine-time");
  const auto server = machine.Start({"--no-rcon", "--day-length", "0", "--tz", "UTC0"});
  server->Send("status");
  EXPECT_NE(server->WaitFor("clock=2027-03-10T"), "") << server->Output();
  machine.Set("2027-03-08 12:00:00");
  server->Send("status");
  EXPECT_NE(server->WaitFor("clock=2027-03-08T"), "") << server->Output();
  EXPECT_EQ(server->Finish(), 0);
}

// Timer rounds come every second of real time whatever the machine's clock does. Set back past
// forceday's last write, the plugin sees its next run more than an interval ahead and acts at
// once, taking back a manual day; set forward past it, it acts too.
TEST(DevServer, TimerRoundsGoOnThroughStepsOfTheMachinesClockBothWays) {
  if (!std::filesystem::exists(MachineClock::kLibrary)) GTEST_SKIP() << "libfaketime is not installed";
  const std::string dir = ServerFolder("devserver-steps", ConfigJson(true, false, false, "", 5));
  const MachineClock machine("devserver-step-time");
  const auto server = machine.Start({"--no-rcon", "--day-length", "0", "--tz", "UTC0", "--server-dir", dir});
  EXPECT_NE(server->WaitFor("forceday: day written: 5"), "") << server->Output();
  const char* steps[] = {"2027-03-10 11:59:00", "2027-03-09 11:59:00", "2027-03-09 12:30:00"};
  for (const char* step : steps) {
    server->Send("day.set 9");
    EXPECT_NE(server->WaitFor("console: day written: 9"), "") << server->Output();
    machine.Set(step);
    // Within a round or two of real time; before, rounds waited for the old time to come back.
    EXPECT_NE(server->WaitFor("forceday: day written: 5", std::chrono::seconds(4)), "")
        << "after the step to " << step << "\n"
        << server->Output();
  }
  EXPECT_EQ(server->Finish(), 0);
  std::filesystem::remove_all(dir);
}
#else
TEST(DevServer, PolicyWritesAreShownAsTheyHappen) {
  GTEST_SKIP() << "drives a live server through pipes, which this harness does only on POSIX";
}
#endif

TEST(DevServer, AdvanceRunsEveryDueTimerAtItsOwnTimeAndStatusShowsIt) {
  const std::string dir = ServerFolder("devserver-advance", ConfigJson(false, true, false));
  int status = 0;
  const std::string out = RunServer(
      "--no-rcon --day-length 0 --tz UTC0 --clock \"2027-03-27 23:59:30\" "
      "--server-dir " +
          Quote(dir),
      "advance 2m\nstatus\nquit\n", status);
  EXPECT_EQ(status, 0) << out;
  // Saturday's write, then Sunday's a minute later, each at the time it was due.
  EXPECT_TRUE(std::regex_search(out, std::regex("23:59:3\\d forceweekday: day written: 6\n"
                                                "23:59:3\\d forceweekday: replicated to clients: day 6\n"
                                                "\\[host\\] date: Sunday 2027-03-28\n"
                                                "00:00:3\\d forceweekday: day written: 7\n")))
      << out;
  EXPECT_TRUE(Contains(out, "advanced 2m: 2027-03-28 00:01:3")) << out;
  EXPECT_TRUE(std::regex_search(out, std::regex("day=7 replicated=7 .* clock=2027-03-28T00:01:3\\d zone=\\w+ "
                                                "timer_writes=forceweekday@2027-03-28T00:00:3\\d\n")))
      << out;
  std::filesystem::remove_all(dir);
}

TEST(DevServer, BadArgumentsGiveUsageAndExitTwo) {
  const std::pair<const char*, const char*> cases[] = {
      {"--day-length banana", "--day-length takes 0 (no day cycle) or seconds from 1: banana"},
      {"--day-length inf", "--day-length takes 0 (no day cycle) or seconds from 1: inf"},
      {"--day-length 0.999", "--day-length takes 0 (no day cycle) or seconds from 1: 0.999"},
      {"--timer-interval 0.0001", "--timer-interval takes seconds from 0.001 (1 ms): 0.0001"},
      {"--timer-interval 1e-3", "--timer-interval takes seconds from 0.001 (1 ms): 1e-3"},
      {"--timer-interval 0x10", "--timer-interval takes seconds from 0.001 (1 ms): 0x10"},
      {"--timer-interval nan", "--timer-interval takes seconds from 0.001 (1 ms): nan"},
      {"--clock \"2027-02-30 12:00\"", "--clock takes a local time"},
      {"--clock \"1601-01-01 00:00\"", "from 1970 to 2261: 1601-01-01 00:00"},
      {"--clock \"1969-12-31 23:59\"", "from 1970 to 2261: 1969-12-31 23:59"},
      {"--clock \"2262-06-01 00:00\"", "from 1970 to 2261: 2262-06-01 00:00"},
      {"--clock \"\"", "--clock takes a local time"},
      {"--forecast 3w", "--forecast takes a duration"},
      {"--forecast \"\"", "--forecast takes a duration"},
      {"--tz Mars/Olympus_Mons", "--tz: "},
  };
#if !defined(_WIN32)  // the Windows C runtime's zones always take United States dates (see --help)
  {
    int status = 0;
    const std::string out = RunServer("--tz CET-1CEST", "", status);
    EXPECT_EQ(status, 2) << out;
    EXPECT_TRUE(Contains(out, "--tz: daylight saving without its dates")) << out;
  }
  {
    int status = 0;
    const std::string out = RunServer("--tz '<+01>-1<+02>'", "", status);
    EXPECT_EQ(status, 2) << out;
    EXPECT_TRUE(Contains(out, "--tz: daylight saving without its dates")) << out;
  }
#endif
  for (const auto& [args, message] : cases) {
    int status = 0;
    const std::string out = RunServer(args, "", status);
    EXPECT_EQ(status, 2) << args << "\n" << out;
    EXPECT_TRUE(Contains(out, message)) << args << "\n" << out;
  }
}

#if !defined(_WIN32)
// POSIX zones whose names are quoted, as the tz database writes offsets without a name: the
// quotes hold digits and signs that are part of the name, not an offset or a daylight name.
TEST(DevServer, QuotedPosixZoneNamesAreTakenAsTheCLibraryTakesThem) {
  const std::pair<const char*, const char*> zones[] = {
      {"'<+0545>-5:45'", " zone=+0545 "},
      {"'<-03>3'", " zone=-03 "},
      {"'<+1030>-10:30<+11>-11,M10.1.0,M4.1.0'", " zone=+11 "},
  };
  for (const auto& [zone, shown] : zones) {
    int status = 0;
    const std::string out =
        RunServer(std::string("--no-rcon --day-length 0 --clock \"2027-01-01 00:00\" --tz ") + zone,
                  "status\nquit\n", status);
    EXPECT_EQ(status, 0) << zone << "\n" << out;
    EXPECT_TRUE(Contains(out, "clock=2027-01-01T00:00:0")) << zone << "\n" << out;
    EXPECT_TRUE(Contains(out, shown)) << zone << "\n" << out;
  }
}
#endif

}  // namespace
}  // namespace morrowset::test
