// The four day policies: timer identifier, switch and interval, in registration order.
//
// Start-up, shut-down and morrowset-check all read this one table.
#pragma once

#include <cstddef>

#include "config/Config.h"

struct DayPolicy {
  const char* timer;         // the timer identifier registered with the host
  const char* switchMember;  // the config.json member that switches it on
  int intervalSeconds;       // how often it acts on the host's timer
  bool (*switchedOn)();      // reads the switch as start-up does; may throw as start-up does
};

// The rows of kDayPolicies, for the code of each policy: its timer identifier is written once,
// in its row.
enum PolicyRow : std::size_t { kForceDay, kForceWeekDay, kResetDays, kForceMonthDay, kPolicyCount };

// Switches are read when start-up reaches each row: "FollowMonthDayNumber" is looked up in
// ConfigDocument only after the first three are registered.
inline constexpr DayPolicy kDayPolicies[kPolicyCount] = {
    {"forceday", "ForceDay", 300, [] { return Settings.ForceDay; }},
    {"forceweekday", "FollowWeekCycle", 60, [] { return Settings.FollowWeekCycle; }},
    {"resetdays", "ResetWhenReachDay", 60, [] { return Settings.ResetWhenReachDay; }},
    {"forcemonthday", "FollowMonthDayNumber", 300, FollowMonthDayNumber},
};

// What a due run of each policy writes, in an admin's words, for the tools (the checker's lines
// and its schema; the plugin never reads them): {Member} stands for that member, its value where
// the value is known.
inline constexpr const char* kPolicyRules[kPolicyCount] = {
    "day {DayToForce}",
    "today's weekday in {TimeZone}, Monday 1 ... Sunday 7",
    "day {DayToSetWhenReset} when the day is {DayToReset} or more, else nothing",
    "today's day of the month in {TimeZone}, 1 to 31",
};

// How every policy keeps its time, for the same readers.
inline constexpr const char* kPolicyTiming =
    "It first runs right after the plugin loads, then once per interval, and once only after a pause "
    "(no catch-up); a day.set holds until the next run of a policy that writes the day.";
