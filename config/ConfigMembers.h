// The members of config.json in one table, in the order start-up reads them: the checker's
// diagnosis, its schema and its printout all read it, and a test holds it to what ReadConfig reads.
#pragma once

#include <cstdint>

#include "Config.h"

struct ConfigMember {
  const char* name;
  bool isSwitch;       // true or false; otherwise a day number (any number, or a boolean)
  bool required;       // false: absent means off
  const char* drives;  // what a day number is for (a switch's policy says what it switches on)
  int32_t (*held)();   // what start-up holds once it has read the file; a switch as 0 or 1
};

inline constexpr ConfigMember kConfigMembers[] = {
    {"ForceDay", true, true, nullptr, [] { return int32_t{Settings::ForceDay}; }},
    {"DayToForce", false, true, "the day forceday writes", [] { return Settings::DayToForce; }},
    {"FollowWeekCycle", true, true, nullptr, [] { return int32_t{Settings::FollowWeekCycle}; }},
    {"ResetWhenReachDay", true, true, nullptr, [] { return int32_t{Settings::ResetWhenReachDay}; }},
    {"DayToReset", false, true, "the limit at which resetdays resets", [] { return Settings::DayToReset; }},
    {"DayToSetWhenReset", false, true, "the day resetdays writes",
     [] { return Settings::DayToSetWhenReset; }},
    {"FollowMonthDayNumber", true, false, nullptr, [] { return int32_t{FollowMonthDayNumber()}; }},
};
