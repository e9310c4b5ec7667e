// Local dates and times of a simulated server (the development server, the preview, every
// Simulation): in the plugin's "TimeZone" (the data compiled in) or, without one, in the
// machine's own zone as the C library reads it, which is what the plugin then reads.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

using Time = std::chrono::system_clock::time_point;

class LocalCalendar {
 public:
  // The calendar of a zone of the data, or of the machine's zone when there is none.
  explicit LocalCalendar(std::optional<cctz::time_zone> zone) : zone_(std::move(zone)) {}

  // Returns the local date at t.
  cctz::civil_day DateOf(Time t) const;
  // Returns the first instant of a local date (its midnight, or the end of a gap at midnight).
  Time StartOf(const cctz::civil_day& date) const;
  // Reads "YYYY-MM-DD HH:MM[:SS]" as a local time; a time the zone skips moves on by the gap,
  // a repeated one is the first of the two. False for anything else.
  bool Parse(const std::string& text, Time& out) const;
  // Formats t with strftime's conversions in the zone.
  std::string Format(Time t, const char* format) const;
  // Returns the zone as a header names it.
  std::string Describe() const;
  // Returns the zone in a few words: "Europe/Berlin", "the machine's local time".
  std::string Name() const { return zone_ ? zone_->name() : "the machine's local time"; }
  // Returns whether it is a zone of the data (the plugin's "TimeZone").
  bool FromData() const { return zone_.has_value(); }
  // Returns the first year a clock may start in, in this calendar: the zone data's first year
  // where the data gives the zone (before it a zone would show its offset of that year), else
  // the clock's own first year.
  int FirstYear() const;
  const std::optional<cctz::time_zone>& Zone() const { return zone_; }

 private:
  std::optional<cctz::time_zone> zone_;
};

// Returns "YYYY-MM-DD".
std::string DateText(const cctz::civil_day& date);
// Returns "Mon" ... "Sun".
const char* WeekdayText(const cctz::civil_day& date);
