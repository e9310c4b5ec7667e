// The members of config.json in one table, in the order start-up reads them: the checker's
// diagnosis, its schema and its printout all read it, and a test holds it to what ReadConfig reads.
#pragma once

#include <cstdint>

#include "Config.h"

// What a member holds.
enum class MemberKind {
  Switch,     // true or false
  DayNumber,  // any number, or a boolean
  ZoneName,   // a string naming a zone of the tz database
};

struct ConfigMember {
  const char* name;
  MemberKind kind;
  bool required;       // false: absent means off
  const char* drives;  // what a day number or a zone is for (a switch's policy says what it switches on)
  int32_t (*held)();   // what start-up holds once it has read the file, a switch as 0 or 1; a zone
                       // has none here (ConfigTimeZone)
};

inline constexpr ConfigMember kConfigMembers[] = {
    {"ForceDay", MemberKind::Switch, true, nullptr, [] { return int32_t{Settings.ForceDay}; }},
    {"DayToForce", MemberKind::DayNumber, true, "The day forceday writes",
     [] { return Settings.DayToForce; }},
    {"FollowWeekCycle", MemberKind::Switch, true, nullptr, [] { return int32_t{Settings.FollowWeekCycle}; }},
    {"ResetWhenReachDay", MemberKind::Switch, true, nullptr,
     [] { return int32_t{Settings.ResetWhenReachDay}; }},
    {"DayToReset", MemberKind::DayNumber, true, "The day at which resetdays resets the counter",
     [] { return Settings.DayToReset; }},
    {"DayToSetWhenReset", MemberKind::DayNumber, true, "The day resetdays writes when it resets",
     [] { return Settings.DayToSetWhenReset; }},
    {"TimeZone", MemberKind::ZoneName, false,
     "The tz database zone in which forceweekday and forcemonthday take today's date; absent: "
     "the server's local time",
     nullptr},
    {"FollowMonthDayNumber", MemberKind::Switch, false, nullptr,
     [] { return int32_t{FollowMonthDayNumber()}; }},
};
