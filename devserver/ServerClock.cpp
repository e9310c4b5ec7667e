// Sets the development server's zone and clock, in the plugin's zone when it names one.
#include "ServerClock.h"

#include <cstdlib>
#include <iostream>

#include "GameClock.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

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

void SayTimesIn(const LocalCalendar& calendar) {
  if (!calendar.FromData()) return;
  std::cout << "[host] times in " << calendar.Name() << ", the plugin's \"TimeZone\" (tz database "
            << TimeZones::DataVersion() << "); --clock is read in it too" << std::endl;
}

int ReadClock(const ServerOptions& options, const LocalCalendar& calendar,
              std::optional<WallClock::Time>& start) {
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
  WallClock::Time from = WallClock::Now();
  if (!options.clock.empty() && !calendar.Parse(options.clock, from)) {
    std::cerr << "morrowset-devserver: --clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\": "
              << options.clock << "\n";
    return 2;
  }
  // The options take 1970 on; the plugin's "TimeZone" is known from a later year (FirstYear).
  if (calendar.FromData() && !options.clock.empty() && calendar.DateOf(from).year() < calendar.FirstYear()) {
    std::cerr << "morrowset-devserver: --clock: the plugin's \"TimeZone\" is known from "
              << calendar.FirstYear() << " on: " << options.clock << "\n";
    return 2;
  }
  std::string tooFar;
  if (const auto reach = GameClock::CanRun(from, options.forecastLength, options.TimerInterval(), tooFar);
      reach != GameClock::Reach::Within) {
    std::cerr << "morrowset-devserver: --forecast: " << tooFar
              << (reach == GameClock::Reach::PastLastYear ? ": " + options.forecast : "") << "\n";
    return 2;
  }
  start = from;
  return 0;
}
