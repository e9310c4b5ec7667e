// The development server's --forecast: the timeline of the day clients see, over zones, clock
// changes, the game's own day cycle and refusals, each case the built program's output.
#include <filesystem>
#include <regex>

#include "config/zones/TimeZone.h"
#include "ServerRun.h"
#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

const std::string kZoneData = TimeZones::DataVersion();

struct ForecastCase {
  const char* name;    // the test's name
  bool everywhere;     // false: only where the C library knows the zone's daylight-saving rules
  std::string config;  // none: start-up fails
  std::string args;
  int status;
  std::vector<std::string> lines;  // each one printed as it stands
};

// Matches a forecast line; on Windows the C runtime's zone names (which Wine shortens to two
// letters) are not compared.
bool HasLine(const std::string& out, const std::string& line) {
#if defined(_WIN32)
  auto literal = [](const std::string& text) {
    return std::regex_replace(text, std::regex(R"([()\[\].*+?^$|\\])"), R"(\$&)");
  };
  if (line.size() < 26 || line[4] != '-') return Contains(out, line);
  return std::regex_search(out,
                           std::regex(literal(line.substr(0, 20)) + "\\S+ +" + literal(line.substr(26))));
#else
  return Contains(out, line + "\n");
#endif
}

void PrintTo(const ForecastCase& c, std::ostream* os) { *os << c.name; }

class Forecast : public ::testing::TestWithParam<ForecastCase> {};

TEST_P(Forecast, ShowsWhenAndByWhatTheDayClientsSeeChanges) {
  const ForecastCase& c = GetParam();
#if defined(_WIN32)
  if (!c.everywhere) GTEST_SKIP() << "the Windows C runtime takes no IANA zones (see --help)";
#endif
  const std::string dir = ServerFolder(std::string("devserver-forecast-") + c.name, c.config);
  int status = 0;
  const std::string out = RunServer(c.args + " --server-dir " + Quote(dir), "", status);
  EXPECT_EQ(status, c.status) << out;
  for (const auto& line : c.lines) EXPECT_TRUE(HasLine(out, line)) << line << "\n" << out;
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    DevServer, Forecast,
    ::testing::Values(
        ForecastCase{"WeekdayAcrossTheChangeToSummerTime",
                     false,
                     ConfigJson(false, true, false),
                     "--tz Europe/Berlin --clock \"2027-03-27 00:00\" --forecast 2d --day-length 0",
                     0,
                     {"2027-03-27 00:00:00 CET   Sat  start         day=1",
                      "2027-03-27 00:00:01 CET   Sat  forceweekday  day=6  (then rewritten 1439x)",
                      "2027-03-28 00:00:01 CET   Sun  forceweekday  day=7  (then rewritten 1379x)",
                      "2027-03-29 00:00:01 CEST  Mon  forceweekday  day=1  (then rewritten 59x)",
                      "writes: forceweekday 2880\nday at the end: 1"}},
        ForecastCase{"MonthDayAtTheEndOfJanuaryInTokyo",
                     true,
                     ConfigJson(false, false, false, "true"),
                     "--tz JST-9 --clock \"2027-01-31 23:50\" --forecast 20m --day-length 0",
                     0,
                     {"2027-01-31 23:50:01 JST   Sun  forcemonthday day=31  (then rewritten 1x)",
                      "2027-02-01 00:00:01 JST   Mon  forcemonthday day=1  (then rewritten 1x)"}},
        ForecastCase{"ResetBringsTheGamesOwnDayBack",
                     true,
                     ConfigJson(false, false, true, "", 5, 4, 1),
                     "--tz UTC0 --clock \"2027-01-01 00:00\" --forecast 41m --day-length 600",
                     0,
                     {"2027-01-01 00:30:00 UTC   Fri  dawn          day=4",
                      "2027-01-01 00:30:01 UTC   Fri  resetdays     day=1",
                      "2027-01-01 00:40:00 UTC   Fri  dawn          day=2",
                      "writes: dawn 4, resetdays 1\nday at the end: 2"}},
        // The span ends before its last instant: the dawn at 00:40:00 is the next span's.
        ForecastCase{"TheSpanEndsBeforeItsLastInstant",
                     true,
                     ConfigJson(false, false, true, "", 5, 4, 1),
                     "--tz UTC0 --clock \"2027-01-01 00:00\" --forecast 40m --day-length 600",
                     0,
                     {"2027-01-01 00:30:01 UTC   Fri  resetdays     day=1",
                      "writes: dawn 3, resetdays 1\nday at the end: 1"}},
        ForecastCase{"FailedStartUp",
                     true,
                     "",
                     "--forecast 1h",
                     1,
                     {"forecast: plugin MorrowsetVelde failed: Can't open config.json"}},
        // The plugin's zone, not the process's: times print in it and --clock is read in it.
        ForecastCase{"WeekdayInThePluginsZoneAcrossTheChangeBack",
                     true,
                     WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""),
                     "--tz JST-9 --clock \"2027-10-30 23:59\" --forecast 26h --day-length 0",
                     0,
                     {"[host] times in Europe/Berlin, the plugin's \"TimeZone\" (tz database " + kZoneData +
                          "); --clock is read in it too",
                      "2027-10-30 23:59:01 CEST  Sat  forceweekday  day=6",
                      "2027-10-31 00:00:01 CEST  Sun  forceweekday  day=7  (then rewritten 1499x)",
                      "2027-11-01 00:00:01 CET   Mon  forceweekday  day=1  (then rewritten 58x)"}},
        ForecastCase{
            "ClockBeforeTheZoneData",
            true,
            WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""),
            "--clock \"1999-12-31 23:59\" --forecast 1h",
            2,
            {"morrowset-devserver: --clock: the plugin's \"TimeZone\" is known from 2000 on: 1999-12-31 "
             "23:59"}},
        // Judged on the date in the plugin's zone: New York's last minute of 1999 is 2000 in UTC.
        ForecastCase{
            "ClockBeforeTheZoneDataInItsOwnZone",
            true,
            WithMember(ConfigJson(false, true, false), "TimeZone", "\"America/New_York\""),
            "--clock \"1999-12-31 23:59\" --forecast 1h",
            2,
            {"morrowset-devserver: --clock: the plugin's \"TimeZone\" is known from 2000 on: 1999-12-31 "
             "23:59"}},
        // The data's first days: winter time in Berlin, and its first spring change.
        ForecastCase{
            "WeekdayInTheFirstYearOfTheZoneData",
            true,
            WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""),
            "--clock \"2000-01-01 00:00\" --forecast 86d --day-length 0 --timer-interval 60",
            0,
            {"forecast 86d: 2000-01-01 00:00:00 CET to 2000-03-27 01:00:00 CEST, timer round every 60 s, "
             "day cycle off",
             "2000-01-01 00:01:00 CET   Sat  forceweekday  day=6  (then rewritten 1438x)",
             "2000-03-26 00:00:00 CET   Sun  forceweekday  day=7  (then rewritten 1379x)"}},
        // The plugin's zone takes --clock in the one grammar: no trailing space, no second 60.
        ForecastCase{
            "ClockInThePluginsZoneWithATrailingSpace",
            true,
            WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""),
            "--clock \"2027-01-01 00:00 \" --forecast 1h",
            2,
            {"morrowset-devserver: --clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\": 2027-01-01 00:00 "}},
        ForecastCase{"ClockInThePluginsZoneAtSecond60",
                     true,
                     WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\""),
                     "--clock \"2027-01-01 00:00:60\" --forecast 1h",
                     2,
                     {"morrowset-devserver: --clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\": 2027-01-01 "
                      "00:00:60"}},
        ForecastCase{"PastTheEndOfTheClock",
                     true,
                     ConfigJson(false, true, false),
                     "--tz UTC0 --clock \"2261-12-31 00:00\" --forecast 102d",
                     2,
                     {"morrowset-devserver: --forecast: it would run past the end of 2261, the last year "
                      "the server's clock shows: 102d"}},
        ForecastCase{
            "ZoneOneLetterOff",
            true,
            WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berln\""),
            "--forecast 1h",
            1,
            {"forecast: plugin MorrowsetVelde failed: \"TimeZone\": \"Europe/Berln\" is not a known "
             "time zone (tz database " +
             kZoneData + "); give its name as the tz database spells it, such as \"Europe/Berlin\""}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morrowset::test
