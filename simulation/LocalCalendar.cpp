// Local dates in the plugin's zone or the machine's.
#include "LocalCalendar.h"

#include <cstdio>
#include <ctime>

#include "WallClock.h"
#include "config/zones/TimeZone.h"

namespace {

// Returns the instant of a local time in the machine's zone, as the C library reads it.
Time MachineTime(const cctz::civil_second& civil) {
  std::tm local{};
  local.tm_year = static_cast<int>(civil.year()) - 1900;
  local.tm_mon = civil.month() - 1;
  local.tm_mday = civil.day();
  local.tm_hour = civil.hour();
  local.tm_min = civil.minute();
  local.tm_sec = civil.second();
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

}  // namespace

cctz::civil_day LocalCalendar::DateOf(Time t) const {
  if (zone_) return cctz::civil_day(cctz::convert(std::chrono::time_point_cast<cctz::seconds>(t), *zone_));
  const std::tm local = WallClock::LocalTm(t);
  return cctz::civil_day(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

Time LocalCalendar::StartOf(const cctz::civil_day& date) const {
  if (!zone_) {
    // mktime moves a midnight the zone skips on to the hour after it; step back to the change.
    Time t = MachineTime(cctz::civil_second(date));
    for (int step = 0; step < 96 && DateOf(t - std::chrono::minutes(15)) == date; ++step)
      t -= std::chrono::minutes(15);
    return t;
  }
  const cctz::time_zone::civil_lookup found = zone_->lookup(cctz::civil_second(date));
  return found.kind == cctz::time_zone::civil_lookup::SKIPPED ? found.trans : found.pre;
}

int LocalCalendar::FirstYear() const { return zone_ ? TimeZones::kFirstYear : WallClock::kFirstYear; }

bool LocalCalendar::Parse(const std::string& text, Time& out) const {
  if (!zone_) return WallClock::ParseLocal(text, out);  // as the C library reads the machine's zone
  WallClock::Civil c;
  if (!WallClock::ParseCivil(text, c)) return false;
  out = TimeZones::Instant(cctz::civil_second(c.year, c.month, c.day, c.hour, c.minute, c.second), *zone_);
  return true;
}

std::string LocalCalendar::Format(Time t, const char* format) const {
  if (zone_) return cctz::format(format, t, *zone_);
  const std::tm local = WallClock::LocalTm(t);
  char text[128];
  return std::string(text, std::strftime(text, sizeof text, format, &local));
}

std::string LocalCalendar::Describe() const {
  if (zone_)
    return zone_->name() + ", the config's \"TimeZone\" (tz database " + TimeZones::DataVersion() + ")";
  return "the machine's local time (" + Format(std::chrono::system_clock::now(), "%Z") +
         "), as the config sets no \"TimeZone\"";
}

std::string DateText(const cctz::civil_day& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year()), date.month(), date.day());
  return text;
}

const char* WeekdayText(const cctz::civil_day& date) {
  static const char* const kNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return kNames[static_cast<int>(cctz::get_weekday(date))];
}
