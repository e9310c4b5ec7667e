// Time zones by their tz database names, from the zone data compiled into the program.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

namespace cctz {
class TimeZoneIf;
}  // namespace cctz

namespace TimeZones {

// One zone of the data, owned by its holder and freed with it, so that a library that unloads
// leaves nothing behind (cctz::time_zone objects stay in a process-wide cache for good).
class Zone {
 public:
  // Loads a known zone; null for any other name.
  static std::unique_ptr<Zone> Load(const std::string& name);
  ~Zone();
  // Returns the civil time in the zone at t.
  cctz::civil_second Local(std::chrono::system_clock::time_point t) const;
  // Returns the name it was loaded by.
  const std::string& Name() const { return name_; }

 private:
  Zone(std::string name, std::unique_ptr<cctz::TimeZoneIf> zone);
  std::string name_;
  std::unique_ptr<cctz::TimeZoneIf> zone_;
};

// The first year the zone data is right for, by each zone's own calendar.
constexpr int kFirstYear = 2000;

// Returns the release of the tz database compiled in ("2026f").
const char* DataVersion();
// Returns every zone and link name of the data, sorted.
std::vector<std::string_view> Names();
// Returns whether name is a zone or link of the data, spelt exactly as the database spells it.
bool Known(std::string_view name);
// Loads a known zone into zone; returns false, leaving zone alone, for any other name.
bool Load(const std::string& name, cctz::time_zone& zone);

// Returns the instant of a local time in zone, read as the C library reads one: a time the zone
// skips moves on by the gap (02:30 at a one-hour spring change is 03:30), a repeated one is the
// first of the two.
inline std::chrono::system_clock::time_point Instant(const cctz::civil_second& local,
                                                     const cctz::time_zone& zone) {
  return zone.lookup(local).pre;
}

}  // namespace TimeZones
