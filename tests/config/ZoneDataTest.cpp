// The zone data compiled in against the C library reading the same pinned tz database: every
// zone over the whole range the data covers, from the first local date of 2000 to 2040 (past the
// last explicit change, into the years the rules alone give), every six hours, hourly for a day
// and a half around every change and on both sides of it, in UTC offset, daylight saving,
// abbreviation and local date.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/zones/TimeZone.h"
#include "support/ServerProcess.h"

#if defined(_WIN32)
TEST(ZoneData, AgreesWithTheCLibraryOnEveryZone) {
  GTEST_SKIP() << "compared with glibc reading the zones zic compiles, on Linux";
}
#else
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace morrowset::test {
namespace {

using Seconds = std::chrono::time_point<std::chrono::system_clock, std::chrono::seconds>;

// The zone names of the pinned source (its Z lines), and the source's release.
std::vector<std::string> SourceZones(const std::string& source, std::string& version) {
  std::ifstream in(source);
  std::string line;
  std::getline(in, line);
  version = line.substr(line.rfind(' ') + 1);
  std::vector<std::string> zones;
  while (std::getline(in, line))
    if (line.rfind("Z ", 0) == 0) zones.push_back(line.substr(2, line.find(' ', 2) - 2));
  return zones;
}

// Returns the first difference between the two readings at t, or nothing.
std::string Differ(const cctz::time_zone& zone, Seconds t) {
  const time_t when = t.time_since_epoch().count();
  struct tm local {};
  localtime_r(&when, &local);
  const auto ours = zone.lookup(t);
  const cctz::civil_second& civil = ours.cs;
  if (ours.offset != local.tm_gmtoff || ours.is_dst != (local.tm_isdst > 0) ||
      std::string(ours.abbr) != local.tm_zone || civil.day() != local.tm_mday ||
      civil.hour() != local.tm_hour || static_cast<int>(cctz::get_weekday(civil)) != (local.tm_wday + 6) % 7)
    return "at " + std::to_string(when) + ": ours " + std::to_string(ours.offset) + " " + ours.abbr +
           " dst=" + std::to_string(ours.is_dst) + ", the C library's " + std::to_string(local.tm_gmtoff) +
           " " + local.tm_zone + " dst=" + std::to_string(local.tm_isdst);
  return "";
}

// Compares one zone with the C library reading the file tzFile names (as TZ takes it) over the
// range the data covers; returns the first difference.
std::string FirstDifference(const cctz::time_zone& zone, const std::string& tzFile) {
  setenv("TZ", tzFile.c_str(), 1);
  tzset();
  // 2000-01-01 00:00 where the day begins first (UTC+14), to 2040-01-01 00:00 UTC.
  const Seconds from(std::chrono::seconds(946684800 - 14 * 3600));
  const Seconds to(std::chrono::seconds(2208988800));
  std::string first;
  for (Seconds t = from; t < to && first.empty(); t += std::chrono::hours(6)) first = Differ(zone, t);
  cctz::time_zone::civil_transition change;
  for (Seconds t = from; first.empty() && zone.next_transition(t, &change);) {
    t = zone.lookup(change.to).trans;
    if (t >= to) break;
    first = Differ(zone, t - std::chrono::seconds(1));
    for (int hour = -18; hour <= 18 && first.empty(); ++hour)
      first = Differ(zone, t + std::chrono::hours(hour));
  }
  return first;
}

TEST(ZoneData, AgreesWithTheCLibraryOnEveryZone) {
  const std::string source = std::string(MORROWSET_SOURCE_DIR) + "/third_party/tzdata/tzdata.zi";
  const std::string compiled = testing::TempDir() + "zone-data-test-" + std::to_string(getpid());
  std::filesystem::remove_all(compiled);
  std::string output;
  ASSERT_EQ(RunCommand("zic -b fat -d " + Quote(compiled) + " " + Quote(source), output), 0) << output;
  std::string version;
  const std::vector<std::string> zones = SourceZones(source, version);
  EXPECT_EQ(version, TimeZones::DataVersion());
  ASSERT_GT(zones.size(), 300u);

  // Each zone in a child process of its own: the C library keeps every abbreviation it has read
  // in one list that it searches on each conversion, which grows with every zone.
  int differing = 0;
  for (const std::string& name : zones) {
    cctz::time_zone zone;
    ASSERT_TRUE(TimeZones::Load(name, zone)) << name;
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const pid_t child = fork();
    if (child == 0) {
      const std::string first = FirstDifference(zone, ":" + compiled + "/" + name);
      if (write(result[1], first.data(), first.size()) < 0) _exit(2);
      _exit(0);
    }
    close(result[1]);
    std::string first;
    char buffer[512];
    for (ssize_t n; (n = read(result[0], buffer, sizeof buffer)) > 0;)
      first.append(buffer, static_cast<std::size_t>(n));
    close(result[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (status != 0) first = "the comparison did not finish";
    if (!first.empty() && ++differing <= 10) ADD_FAILURE() << name << " " << first;
  }
  EXPECT_EQ(differing, 0);
  std::filesystem::remove_all(compiled);
}

}  // namespace
}  // namespace morrowset::test
#endif
