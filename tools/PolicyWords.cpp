// The policies' rules in words, with the members' values or names put in.
#include "PolicyWords.h"

#include <functional>

#include "config/ConfigMembers.h"

namespace morrowset {
namespace {

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

std::string SwitchDescription(PolicyRow row) {
  const std::string rule = Rule(row, [](const ConfigMember& member) {
    return "\"" + std::string(member.name) + "\"" +
           (member.kind == MemberKind::ZoneName ? " (absent: the server's local time)" : "");
  });
  return "Switches on the policy " + std::string(kDayPolicies[row].timer) + ": every " +
         Rhythm(kDayPolicies[row]) + " it writes " + rule + ". " + kPolicyTiming;
}

}  // namespace morrowset
