// The wall clock on Linux: the program defines clock_gettime, so the C++ runtime's system_clock,
// in the plugin as everywhere in the process, reaches the server's clock first; zones are the C
// library's TZ.
#include <dlfcn.h>
#include <time.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "WallClock.h"
#include "WallClockPlatform.h"

namespace {

using ClockGetTime = int (*)(clockid_t, struct timespec*);

ClockGetTime RealClockGetTime() {
  static const auto real = reinterpret_cast<ClockGetTime>(dlsym(RTLD_NEXT, "clock_gettime"));
  return real;
}

// Returns whether a POSIX TZ string names a daylight-saving zone after its standard name and
// offset. A name is letters, or anything between < and > ("<+0545>", "<-03>").
bool HasDaylightName(const std::string& zone) {
  std::size_t i = 0;
  if (i < zone.size() && zone[i] == '<') {
    i = zone.find('>', i);
    if (i == std::string::npos) return false;  // the C library reads no name there either
    ++i;
  } else {
    while (i < zone.size() && std::isalpha(static_cast<unsigned char>(zone[i]))) ++i;
  }
  i = zone.find_first_not_of("0123456789:+-", i);
  return i != std::string::npos;
}

}  // namespace

namespace WallClock::Platform {

int64_t RealNowNs() {
  struct timespec now {};
  RealClockGetTime()(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool SetZone(const std::string& zone, std::string& why) {
  // A POSIX TZ string carries an offset (a digit); anything else names a file of the zone
  // database, which the C library would silently replace by UTC when it is missing.
  const char* dir = std::getenv("TZDIR");
  const std::string database = dir ? dir : "/usr/share/zoneinfo";
  std::error_code error;
  const bool posix = zone.find_first_of("0123456789") != std::string::npos;
  if (posix && zone.find_first_of("/,") == std::string::npos &&
      !std::filesystem::is_regular_file(database + "/" + zone, error)) {
    // A daylight-saving name after the offset but no dates for it (and no zone file of that name,
    // as EST5EDT has): the C library would apply the United States' dates, whatever the zone is.
    if (HasDaylightName(zone)) {
      why =
          "daylight saving without its dates, for which the C library would take the United "
          "States' ones: give them, as in CET-1CEST,M3.5.0,M10.5.0/3: " +
          zone;
      return false;
    }
  }
  if (!posix) {
    const std::string name = zone[0] == ':' ? zone.substr(1) : zone;
    if (!std::filesystem::is_regular_file(database + "/" + name, error)) {
      why = "unknown time zone (not in the zone database): " + zone;
      return false;
    }
  }
  setenv("TZ", zone.c_str(), 1);
  tzset();
  return true;
}

}  // namespace WallClock::Platform

extern "C" int clock_gettime(clockid_t clock, struct timespec* out) {
  if (clock != CLOCK_REALTIME || WallClock::IsReal()) return RealClockGetTime()(clock, out);
  const int64_t ns = WallClock::NowNs();
  int64_t seconds = ns / 1000000000;
  int64_t rest = ns % 1000000000;
  if (rest < 0) {
    rest += 1000000000;
    --seconds;
  }
  out->tv_sec = static_cast<time_t>(seconds);
  out->tv_nsec = static_cast<long>(rest);
  return 0;
}

bool WallClock::Available() { return RealClockGetTime() != nullptr; }
