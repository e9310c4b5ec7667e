// The diagnosis of a config.json: the plugin's own reading of it, the line that says what to fix,
// and the warnings for what loads but likely does not do what the admin meant.
#include "Diagnosis.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "CommandLine.h"
#include "config/zones/WindowsZones.h"
#include "config/ConfigMembers.h"
#include "config/zones/TimeZone.h"
#include "day/PolicyTable.h"

namespace morrowset {
namespace {

using nlohmann::json;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

const char* TypeName(const json& value) {
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::object:
      return "an object";
    case json::value_t::array:
      return "an array";
    case json::value_t::string:
      return "a string";
    case json::value_t::boolean:
      return "a boolean";
    default:
      return "a number";
  }
}

}  // namespace

json Schema() {
  json schema = {{"$schema", "https://json-schema.org/draft/2020-12/schema"},
                 {"title", "Morrowset config.json"},
                 {"type", "object"}};
  json required = json::array();
  for (const ConfigMember& member : kConfigMembers) {
    json property;
    switch (member.kind) {
      case MemberKind::Switch:
        property = {{"type", "boolean"}};
        break;
      case MemberKind::DayNumber:
        property = {{"type", {"number", "boolean"}}, {"description", member.drives}};
        break;
      case MemberKind::ZoneName:
        property = {
            {"type", "string"},
            {"description", std::string(member.drives) + " (tz database " + TimeZones::DataVersion() + ")"},
            {"enum", TimeZones::Names()}};
        break;
    }
    for (const DayPolicy& policy : kDayPolicies)
      if (member.name == std::string(policy.switchMember))
        property["description"] = std::string("switches on the policy ") + policy.timer;
    schema["properties"][member.name] = property;
    if (member.required) required.push_back(member.name);
  }
  schema["required"] = required;
  return schema;
}

namespace {

// Returns the edit distance of two names, case ignored.
std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Returns the member a key not read by the plugin was likely meant to be, if any: the same name
// in another case or with stray white space, or one or two letters off.
std::optional<std::string> NearMiss(const std::string& key) {
  std::string trimmed = key;
  trimmed.erase(0, trimmed.find_first_not_of(" \t\r\n"));
  trimmed.erase(trimmed.find_last_not_of(" \t\r\n") + 1);
  for (const ConfigMember& member : kConfigMembers)
    if (key == member.name) return std::nullopt;
  for (const ConfigMember& member : kConfigMembers)
    if (Distance(trimmed, member.name) <= 2) return std::string(member.name);
  return std::nullopt;
}

// What the file says, read apart from the plugin: every top-level key in file order (duplicates
// included), the document, and whether anything follows the object.
struct FileView {
  bool parsed = false;
  std::vector<std::string> keys;
  json document;
  bool trailingText = false;
};

// Collects the top-level keys of an object, in file order, duplicates included.
class KeyCollector : public nlohmann::json_sax<json> {
 public:
  explicit KeyCollector(std::vector<std::string>& keys) : keys_(keys) {}
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return ++depth_, true; }
  bool key(string_t& key) override {
    if (depth_ == 1) keys_.push_back(key);
    return true;
  }
  bool end_object() override { return --depth_, true; }
  bool start_array(std::size_t) override { return ++depth_, true; }
  bool end_array() override { return --depth_, true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  std::vector<std::string>& keys_;
  int depth_ = 0;
};

FileView ReadView(const std::string& text) {
  FileView view;
  std::istringstream stream(text);
  try {
    stream >> view.document;  // as the plugin reads it: the first value, nothing after it
  } catch (const std::exception&) {
    return view;
  }
  view.parsed = true;
  KeyCollector keys(view.keys);
  json::sax_parse(text, &keys, nlohmann::detail::input_format_t::json, false);
  view.trailingText = !json::accept(text);
  return view;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Returns what a member of this kind takes, for a line that says what to fix.
std::string Expected(MemberKind kind) {
  switch (kind) {
    case MemberKind::Switch:
      return "it takes true or false";
    case MemberKind::DayNumber:
      return "it takes a number";
    case MemberKind::ZoneName:
      break;
  }
  return "it takes a time zone name as the tz database spells it, such as \"Europe/Berlin\"";
}

// Returns a zone name as compared for a near miss: lower case, a space as an underscore.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// Returns the zone of the data an unknown name was likely meant to be, if any: a Windows zone
// name, the same name in another case or with spaces, the place alone ("Berlin"), or a name one
// or two letters off.
std::optional<std::string> NearZone(const std::string& name, bool& windows) {
  windows = false;
  for (std::size_t i = 0; i < kWindowsZoneCount; ++i) {
    if (Folded(kWindowsZones[i].windows) == Folded(name)) {
      windows = true;
      return std::string(kWindowsZones[i].iana);
    }
  }
  const std::string folded = Folded(name);
  std::optional<std::string> best;
  std::size_t bestDistance = 3;
  for (const std::string_view zone : TimeZones::Names()) {
    const std::string candidate = Folded(zone);
    const std::size_t slash = candidate.rfind('/');
    const bool place =
        slash != std::string::npos && candidate.compare(slash + 1, std::string::npos, folded) == 0;
    const std::size_t distance = place ? 0 : Distance(folded, candidate);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = std::string(zone);
    }
  }
  return best;
}

// Says what to write instead of a "TimeZone" that names no zone of the data.
std::string ZoneAdvice(const std::string& name) {
  if (name.empty())
    return "\"TimeZone\" is empty: give a zone name such as \"Europe/Berlin\", or leave the member out for "
           "the server's local time";
  bool windows = false;
  const auto meant = NearZone(name, windows);
  if (meant && windows)
    return Quoted(name) + " is Windows' name for the zone; the tz database calls it " + Quoted(*meant);
  if (meant) return "did you mean " + Quoted(*meant) + "?";
  return "zones are named Area/Place, as \"America/Chicago\" or \"Asia/Tokyo\", or \"UTC\"; "
         "morrowset-check --zones lists them all";
}

// Abbreviations of the data that keep one offset all year, with the place a name like them
// usually means: it keeps daylight saving.
struct FixedAbbreviation {
  const char* name;
  const char* place;
};
constexpr FixedAbbreviation kFixedAbbreviations[] = {
    {"EST", "America/New_York"},        {"MST", "America/Denver"}, {"GMT", "Europe/London"},
    {"Etc/GMT", "Europe/London"},       {"GMT0", "Europe/London"}, {"Greenwich", "Europe/London"},
    {"Etc/Greenwich", "Europe/London"},
};

// Adds the warnings for a zone that loads but likely is not what was meant.
void ZoneWarnings(const std::string& zone, std::vector<std::string>& warnings) {
  if (!Settings.FollowWeekCycle && !FollowMonthDayNumber())
    warnings.push_back(
        "\"TimeZone\" is set, but neither forceweekday (\"FollowWeekCycle\") nor "
        "forcemonthday (\"FollowMonthDayNumber\") is on: nothing reads it");
  for (const FixedAbbreviation& fixed : kFixedAbbreviations)
    if (zone == fixed.name)
      warnings.push_back(Quoted(zone) + " keeps one offset all year, with no daylight saving; for the time " +
                         "people keep there, write " + Quoted(fixed.place));
  std::smatch match;
  if (std::regex_match(zone, match, std::regex("Etc/GMT([+-])([1-9]\\d*)"))) {
    const bool plus = match[1] == "+";
    const std::string hours = match[2].str();
    const std::string mirror = std::string("Etc/GMT") + (plus ? "-" : "+") + hours;
    std::string line = Quoted(zone) + " is " + hours + " hours " + (plus ? "behind" : "ahead of") +
                       " UTC (UTC" + (plus ? "-" : "+") + hours + "): the Etc zones' sign is inverted; ";
    // The database has no zone 13 or 14 hours behind UTC: there, say which place keeps this offset.
    if (TimeZones::Known(mirror))
      line += "for UTC" + match[1].str() + hours + " write " + Quoted(mirror);
    else
      line += "no zone is " + hours + " hours behind UTC, and " +
              Quoted(hours == "13" ? "Pacific/Tongatapu" : "Pacific/Kiritimati") + " keeps UTC+" + hours;
    warnings.push_back(line);
  }
}

// What ended start-up, as the exception's type and fields tell it (never its words).
struct Failure {
  std::optional<ConfigError> config;  // one of the reading code's own
  int jsonId = 0;                     // the JSON library's error id (101 parse, 302 type, ...)
  std::size_t byte = 0;               // for a parse error: the byte it stopped at, from 1
};

// Returns the line and column of a byte position, counted as the JSON library counts them.
std::pair<std::size_t, std::size_t> LineAndColumn(const std::string& text, std::size_t byte) {
  const std::size_t end = std::min(byte, text.size());
  const std::size_t lineStart = end == 0 ? 0 : text.rfind('\n', end - 1);
  const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
  return {line, byte - (lineStart == std::string::npos || end == 0 ? 0 : lineStart + 1)};
}

// Explains a failed start-up in one line: the member, what was found, what is expected.
std::string Explain(const Failure& failure, const std::string& path, const std::string& text,
                    const FileView& view) {
  std::error_code ec;
  if (failure.config && failure.config->kind == ConfigError::Kind::Unreadable) {
    const std::filesystem::path file = std::filesystem::u8path(path);
    if (std::filesystem::is_directory(file, ec))
      return "the path is a folder, not a file: " + DisplayPath(path);
    if (!std::filesystem::exists(file, ec))
      return "there is no file at " + DisplayPath(path) +
             " (a first install? morrowset-check --init writes the default)";
    return "the file cannot be read (permissions?): " + DisplayPath(path);
  }
  if (failure.config && failure.config->kind == ConfigError::Kind::UnknownZone)
    return ZoneAdvice(failure.config->found);
  if (failure.jsonId == 101) {
    const auto [lineNumber, column] = LineAndColumn(text, failure.byte);
    std::istringstream lines(text);
    std::string line;
    for (std::size_t i = 0; i < lineNumber && std::getline(lines, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return "line " + std::to_string(lineNumber) + ", column " + std::to_string(column) + ": " + line;
  }
  if (failure.jsonId == 406)
    return "a number is too large for any number type; day numbers run from -2147483648 to 2147483647";
  if (failure.jsonId == 305)
    return "the file holds " + std::string(TypeName(view.document)) +
           ", not an object { } with the members \"ForceDay\", \"DayToForce\", ...";
  if (!view.parsed || !view.document.is_object()) {
    if (view.document.is_null()) return "the file holds null, not an object { } with the members";
    return "";
  }
  // The first member, in start-up's order, that is missing or of the wrong type.
  for (const ConfigMember& member : kConfigMembers) {
    const std::string expected = Expected(member.kind);
    const auto found = view.document.find(member.name);
    if (found == view.document.end()) {
      if (!member.required) continue;
      std::string line = Quoted(member.name) + " is missing: " + expected;
      for (const auto& key : view.keys)
        if (NearMiss(key) == std::string(member.name))
          line += "; the file has " + Quoted(key) + ": did you mean " + Quoted(member.name) + "?";
      return line;
    }
    const bool fits = member.kind == MemberKind::Switch     ? found->is_boolean()
                      : member.kind == MemberKind::ZoneName ? found->is_string()
                                                            : found->is_number() || found->is_boolean();
    if (!fits) {
      std::string line = Quoted(member.name) + " is " + found->dump();
      if (!found->is_null()) line += std::string(" (") + TypeName(*found) + ")";
      line += ": " + expected;
      if (!member.required) line += ", or leave it out";
      return line;
    }
  }
  return "";
}

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
  if (view.trailingText) warnings.push_back("text after the closing brace is never read");
  std::map<std::string, int> count;
  for (const auto& key : view.keys) ++count[key];
  for (const auto& key : view.keys) {
    if (count[key] == 0) continue;  // reported already
    if (count[key] > 1)
      warnings.push_back(Quoted(key) + " is given " + std::to_string(count[key]) +
                         " times; only the last one counts (" + view.document[key].dump() + ")");
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
    if (std::string(policy.timer) != "resetdays" && policy.switchedOn())
      writers.push_back(std::string(policy.timer) + " (every " +
                        (policy.intervalSeconds == 60
                             ? std::string("minute")
                             : std::to_string(policy.intervalSeconds / 60) + " minutes") +
                        ")");
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
      warnings.push_back(Quoted(member.name) + " is " + view.document[member.name].dump() +
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

std::vector<std::string> Warnings(const FileView& view, bool loaded) {
  std::vector<std::string> warnings;
  if (!view.parsed) return warnings;
  FileWarnings(view, warnings);
  if (loaded) SettingWarnings(view, warnings);
  return warnings;
}

// Returns what start-up holds for a member, as the report prints it.
std::string Held(const ConfigMember& member) {
  switch (member.kind) {
    case MemberKind::Switch:
      return member.held() ? "true" : "false";
    case MemberKind::DayNumber:
      return std::to_string(member.held());
    case MemberKind::ZoneName:
      break;
  }
  if (!ConfigTimeZone) return "none (the server's local time)";
  return ConfigTimeZone->Name() + " (tz database " + TimeZones::DataVersion() + ")";
}

// Starts as a freshly loaded library does: every setting false or 0, the document null.
void ResetSettings() {
  Settings = SettingValues();
  ConfigDocument = nullptr;
  ConfigTimeZone.reset();
}

}  // namespace

ConfigReport Diagnose(const std::string& path) {
  ConfigReport report;
  report.path = path;
  // The plugin's own reading, then the policies in start-up's order.
  ResetSettings();
  Failure failure;
  try {
    ReadConfigFile(EightBitPath(path));  // the plugin's own code opens it by an 8-bit name
    for (const DayPolicy& policy : kDayPolicies)
      if (policy.switchedOn()) report.policies.push_back(policy.timer);
  } catch (const ConfigError& error) {
    report.failure = error.what();
    failure.config = error;
  } catch (const json::parse_error& error) {
    report.failure = error.what();
    failure.jsonId = error.id;
    failure.byte = error.byte;
  } catch (const json::exception& error) {
    report.failure = error.what();
    failure.jsonId = error.id;
  } catch (const std::exception& error) {
    report.failure = error.what();
  }
  if (!report.failure.empty()) report.policies.clear();
  const std::string text = ReadAll(path);
  const FileView view = ReadView(text);
  if (!report.failure.empty()) {
    report.why = Explain(failure, path, text, view);
  } else {
    for (const ConfigMember& member : kConfigMembers)
      report.settings.push_back(std::string(member.name) + "=" + Held(member));
  }
  report.warnings = Warnings(view, report.failure.empty());
  return report;
}

std::string ConfigReport::Text() const {
  std::ostringstream out;
  if (!failure.empty()) {
    out << failure << "\n";
    if (!why.empty()) out << why << "\n";
  } else {
    out << "OK\n";
    for (const auto& setting : settings) out << setting << "\n";
    out << "policies=";
    if (policies.empty()) out << "none";
    for (std::size_t i = 0; i < policies.size(); ++i) out << (i ? "," : "") << policies[i];
    out << "\n";
  }
  out << "file: " << DisplayPath(path) << "\n";
  for (const auto& warning : warnings) out << "warning: " << warning << "\n";
  return out.str();
}

}  // namespace morrowset
