// What each policy does, told from the policy table's rules: the checker's line for a policy that
// will run, and the schema's description of its switch.
#pragma once

#include <string>

#include "day/PolicyTable.h"

namespace morrowset {

// Returns how often a policy runs: "minute", "5 minutes".
std::string Rhythm(const DayPolicy& policy);

// Returns the checker's line for a policy start-up registers, with the values it holds:
// "forceweekday: every minute, today's weekday in Europe/Berlin, Monday 1 ... Sunday 7".
std::string PolicyLine(PolicyRow row);

// Returns the line for a config that switches no policy on.
std::string NoPolicyLine();

// Returns the schema's description of a policy's switch, with the members it reads by name.
std::string SwitchDescription(PolicyRow row);

}  // namespace morrowset
