// What each policy and each config member does, told from the policy table's rules and the member
// table: the checker's line for a policy that will run, the schema's descriptions, and the
// sentences the admin guide and README carry.
#pragma once

#include <string>

#include "config/ConfigMembers.h"
#include "day/PolicyTable.h"

namespace morrowset {

// Returns how often a policy runs: "minute", "5 minutes".
std::string Rhythm(const DayPolicy& policy);

// Returns the checker's line for a policy start-up registers, with the values it holds:
// "forceweekday: every minute, today's weekday in Europe/Berlin, Monday 1 ... Sunday 7".
std::string PolicyLine(PolicyRow row);

// Returns the line for a config that switches no policy on.
std::string NoPolicyLine();

// Returns what a policy does, with the members it reads by name, as the guide and README say it:
// "forceday ("ForceDay": true): every 5 minutes it writes day "DayToForce"."
std::string PolicySentence(PolicyRow row);

// Returns the schema's description of a member: a switch by its policy's sentence and how every
// policy keeps its time, any other member by what it is for and the policies that read it.
std::string MemberDescription(const ConfigMember& member);

}  // namespace morrowset
