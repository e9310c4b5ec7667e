// Sets the development server's zone and clock, in the plugin's zone when it names one.
#include "ServerClock.h"

#include <cstdlib>
#include <iostream>

#include "DevHost.h"
#include "GameClock.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace {

// Reads "YYYY-MM-DD HH:MM[:SS]" as a time in zone, with the grammar of every --clock. A time
// the zone skips or repeats takes the offset before the change: a skipped one moves on by the
// hour skipped, a repeated one is the first of the two.
bool ParseInZone(const std::string& text, const cctz::time_zone& zone, WallClock::Time& out) {
  WallClock::Civil c;
  if (!WallClock::ParseCivil(text, c)) return false;
  out = TimeZones::Instant(cctz::civil_second(c.year, c.month, c.day, c.hour, c.minute, c.second), zone);
  return true;
}

}  // namespace

// Returns the zone the plugin will hold, from its config.json read by the plugin's own reading
// code (the one reader of "TimeZone"). The server then prints its times in it and reads --clock
// in it, so that what it shows reads in the community's time. A file that would not load gives
// none: the plugin reports it itself when it loads.
std::optional<cctz::time_zone> PluginZone(const std::string& serverDir) {
  try {
    ReadConfigFile(ConfigPath(serverDir));  // the plugin's own reading, in this process
  } catch (const std::exception&) {
    return std::nullopt;
  }
  cctz::time_zone zone;
  if (!ConfigTimeZone || !TimeZones::Load(ConfigTimeZone->Name(), zone)) return std::nullopt;
  return zone;
}

// Prints the host's times in zone from now on, and says so.
void ShowTimesIn(const cctz::time_zone& zone) {
  DevHost::SetTimeFormatter([zone](std::chrono::system_clock::time_point t, const char* format) {
    return cctz::format(format, t, zone);
  });
  std::cout << "[host] times in " << zone.name() << ", the plugin's \"TimeZone\" (tz database "
            << TimeZones::DataVersion() << "); --clock is read in it too" << std::endl;
}

// Sets the time zone and the wall clock from the options; returns 0 or an exit code.
int SetUpClock(const ServerOptions& options, std::chrono::seconds forecast,
               const std::optional<cctz::time_zone>& pluginZone) {
  std::string why;
  if (!options.zone.empty() && !WallClock::SetZone(options.zone, why)) {
    std::cerr << "morrowset-devserver: --tz: " << why << "\n";
    return 2;
  }
  if (!WallClock::Available()) {
    if (!options.clock.empty() || !options.forecast.empty()) {
      std::cerr << "morrowset-devserver: the clock cannot be set on this platform\n";
      return 1;
    }
    return 0;
  }
  WallClock::Time start = WallClock::Now();
  const bool parsed = options.clock.empty() || (pluginZone ? ParseInZone(options.clock, *pluginZone, start)
                                                           : WallClock::ParseLocal(options.clock, start));
  if (!parsed) {
    std::cerr << "morrowset-devserver: --clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\": "
              << options.clock << "\n";
    return 2;
  }
  // The zone data compiled in starts in 2000, by the zone's own calendar: before it, a zone
  // would show its offset of 2000.
  if (pluginZone && !options.clock.empty() && std::atoi(options.clock.c_str()) < TimeZones::kFirstYear) {
    std::cerr << "morrowset-devserver: --clock: the plugin's \"TimeZone\" is known from "
              << TimeZones::kFirstYear << " on: " << options.clock << "\n";
    return 2;
  }
  std::string tooFar;
  if (const auto reach = GameClock::CanRun(start, forecast, options.TimerInterval(), tooFar);
      reach != GameClock::Reach::Within) {
    std::cerr << "morrowset-devserver: --forecast: " << tooFar
              << (reach == GameClock::Reach::PastLastYear ? ": " + options.forecast : "") << "\n";
    return 2;
  }
  // A forecast's clock stands still between the rounds it runs; a server's runs on.
  WallClock::Set(start, options.forecast.empty());
  return 0;
}
