// The warnings for what loads but likely does not do what the admin meant.
#include "DiagnosisParts.h"
#include "PolicyWords.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>

#include "config/ConfigMembers.h"
#include "day/PolicyTable.h"

namespace morrowset::diagnosis {
namespace {

// Returns what the plugin holds for a day number, and how it differs from the file, if it does.
std::optional<std::string> HeldDifferently(const json& value, int32_t held) {
  if (value.is_boolean()) return std::nullopt;
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (number == static_cast<double>(held)) return std::nullopt;
    const bool inRange = number > std::numeric_limits<int32_t>::min() - 1.0 &&
                         number < std::numeric_limits<int32_t>::max() + 1.0;
    return inRange ? "truncated" : "clamped to 32 bits";
  }
  if (value.is_number_unsigned() && value.get<uint64_t>() == static_cast<uint64_t>(held) && held >= 0)
    return std::nullopt;
  if (value.is_number_integer() && value.get<int64_t>() == held) return std::nullopt;
  return "wrapped to 32 bits";
}

// Adds the warnings of the file's text: text after the object, members given twice, names a
// letter or a case off a member's.
void FileWarnings(const FileView& view, std::vector<std::string>& warnings) {
  if (view.trailingAt) {
    const auto [line, column] = *view.trailingAt;
    warnings.push_back("the plugin ignores what follows the JSON value at line " + std::to_string(line) +
                       ", column " + std::to_string(column));
  }
  std::map<std::string, int> count;
  for (const auto& key : view.keys) ++count[key];
  for (const auto& key : view.keys) {
    if (count[key] == 0) continue;  // reported already
    if (count[key] > 1)
      warnings.push_back(Quoted(key) + " is given " + std::to_string(count[key]) +
                         " times; only the last one counts (" + Excerpt(view.document[key]) + ")");
    count[key] = 0;
    // A near miss of a required member that is missing goes with the start-up error instead.
    const auto meant = NearMiss(key);
    if (!meant) continue;
    const bool present = view.document.contains(*meant);
    const bool required = std::any_of(std::begin(kConfigMembers), std::end(kConfigMembers),
                                      [&](const ConfigMember& m) { return m.required && m.name == *meant; });
    if (present || !required)
      warnings.push_back(Quoted(key) + " is not read by the plugin and is ignored: did you mean " +
                         Quoted(*meant) + "?" + (present ? " (that one is there too)" : ""));
  }
}

// Adds the warning of policies that write the day on their own schedules, overwriting each other.
void FightWarning(std::vector<std::string>& warnings) {
  std::vector<std::string> writers;
  for (const DayPolicy& policy : kDayPolicies)
    if (&policy != &kDayPolicies[kResetDays] && policy.switchedOn())
      writers.push_back(std::string(policy.timer) + " (every " + Rhythm(policy) + ")");
  if (writers.size() < 2) return;
  std::string list;
  for (std::size_t i = 0; i < writers.size(); ++i)
    list += (i == 0 ? "" : i + 1 == writers.size() ? " and " : ", ") + writers[i];
  warnings.push_back(list +
                     (writers.size() == 2 ? " both write the day: each overwrites the other's"
                                          : " all write the day: each overwrites the others'") +
                     " value when it runs");
}

// Adds the warnings of what loaded: day numbers held otherwise than written, policies that
// overwrite each other, the zone, resets that undo themselves.
void SettingWarnings(const FileView& view, std::vector<std::string>& warnings) {
  for (const ConfigMember& member : kConfigMembers) {
    if (member.kind != MemberKind::DayNumber) continue;
    const int32_t held = member.held();
    if (const auto how = HeldDifferently(view.document[member.name], held))
      warnings.push_back(Quoted(member.name) + " is " + Excerpt(view.document[member.name]) +
                         " in the file; the plugin holds " + std::to_string(held) + " (" + *how + ")");
  }
  FightWarning(warnings);
  if (ConfigTimeZone) ZoneWarnings(ConfigTimeZone->Name(), warnings);
  if (!Settings.ResetWhenReachDay) return;
  if (Settings.DayToSetWhenReset >= Settings.DayToReset)
    warnings.push_back("resetdays writes \"DayToSetWhenReset\" " +
                       std::to_string(Settings.DayToSetWhenReset) + ", not below \"DayToReset\" " +
                       std::to_string(Settings.DayToReset) + ": it rewrites the day every minute");
  if (Settings.ForceDay && Settings.DayToForce >= Settings.DayToReset)
    warnings.push_back("forceday holds day " + std::to_string(Settings.DayToForce) +
                       ", at or past \"DayToReset\" " + std::to_string(Settings.DayToReset) +
                       ": resetdays undoes it within a minute, every time");
}

}  // namespace

std::vector<std::string> Warnings(const FileView& view, bool loaded) {
  std::vector<std::string> warnings;
  if (!view.parsed) return warnings;
  FileWarnings(view, warnings);
  if (loaded) SettingWarnings(view, warnings);
  return warnings;
}

}  // namespace morrowset::diagnosis
