// The policies' rules in words, with the members' values or names put in.
#include "PolicyWords.h"

#include <functional>

namespace morrowset {
namespace {

// Returns a member's name as config.json spells it, in quotes.
std::string Quoted(const char* name) { return "\"" + std::string(name) + "\""; }

// Returns a policy's rule with each {Member} replaced by what fill gives for that member.
std::string Rule(PolicyRow row, const std::function<std::string(const ConfigMember&)>& fill) {
  std::string rule = kPolicyRules[row];
  for (const ConfigMember& member : kConfigMembers) {
    const std::string mark = "{" + std::string(member.name) + "}";
    for (std::size_t at; (at = rule.find(mark)) != std::string::npos;)
      rule.replace(at, mark.size(), fill(member));
  }
  return rule;
}

// Returns "every minute it writes ..." with the members named.
std::string WhatItWrites(PolicyRow row) {
  return "every " + Rhythm(kDayPolicies[row]) + " it writes " + Rule(row, [](const ConfigMember& member) {
           return Quoted(member.name) +
                  (member.kind == MemberKind::ZoneName ? " (absent: the server's local time)" : "");
         });
}

}  // namespace

std::string Rhythm(const DayPolicy& policy) {
  return policy.intervalSeconds == 60 ? std::string("minute")
                                      : std::to_string(policy.intervalSeconds / 60) + " minutes";
}

std::string PolicyLine(PolicyRow row) {
  const std::string rule = Rule(row, [](const ConfigMember& member) {
    if (member.kind != MemberKind::ZoneName) return std::to_string(member.held());
    return ConfigTimeZone ? ConfigTimeZone->Name() : std::string("the server's local time");
  });
  return std::string(kDayPolicies[row].timer) + ": every " + Rhythm(kDayPolicies[row]) + ", " + rule;
}

std::string NoPolicyLine() { return "no policy is on: the plugin writes the day only on day.set"; }

std::string PolicySentence(PolicyRow row) {
  return std::string(kDayPolicies[row].timer) + " (" + Quoted(kDayPolicies[row].switchMember) +
         ": true): " + WhatItWrites(row) + ".";
}

std::string MemberDescription(const ConfigMember& member) {
  std::string readers;
  for (std::size_t row = 0; row < kPolicyCount; ++row) {
    const auto policy = static_cast<PolicyRow>(row);
    if (member.name == std::string(kDayPolicies[row].switchMember))
      return "Switches on the policy " + PolicySentence(policy) + " " + kPolicyTiming;
    if (std::string(kPolicyRules[row]).find("{" + std::string(member.name) + "}") != std::string::npos)
      readers += " Read by " + PolicySentence(policy);
  }
  return std::string(member.drives) + "." + readers;
}

}  // namespace morrowset
