// The diagnosis of a config.json: the plugin's own reading of it, the line that says what to fix,
// and the warnings for what loads but likely does not do what the admin meant.
#include "Diagnosis.h"

#include <exception>
#include <filesystem>
#include <sstream>

#include "CommandLine.h"
#include "DiagnosisParts.h"
#include "config/ConfigMembers.h"
#include "config/zones/TimeZone.h"
#include "day/PolicyTable.h"

namespace morrowset {
namespace {

using namespace diagnosis;

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

// Returns what start-up holds for a member as a JSON value: true or false, a number, or the
// zone's name (null for the server's local time).
json HeldValue(const ConfigMember& member) {
  switch (member.kind) {
    case MemberKind::Switch:
      return member.held() != 0;
    case MemberKind::DayNumber:
      return member.held();
    case MemberKind::ZoneName:
      break;
  }
  return ConfigTimeZone ? json(ConfigTimeZone->Name()) : json(nullptr);
}

// Starts as a freshly loaded library does: every setting false or 0, the document null.
void ResetSettings() {
  Settings = SettingValues();
  ConfigDocument = nullptr;
  ConfigTimeZone.reset();
}

}  // namespace

std::string RefusedConfig(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(fs::u8path(path), error);
  // What is missing or a folder, the plugin's own reading says so.
  if (error || !fs::exists(status) || fs::is_directory(status)) return "";
  const std::string shown = DisplayPath(path);
  if (!fs::is_regular_file(status))
    return shown +
           " is not a file but a pipe, a device or a socket: the server would wait on it or read it "
           "without end; make config.json a plain file";
  const std::uintmax_t size = fs::file_size(fs::u8path(path), error);
  if (!error && size > kLargestConfig)
    return shown + " is " + std::to_string(size) + " bytes, more than the " +
           std::to_string(kLargestConfig >> 10) +
           " KiB a config.json may be (the default is well under 1 KiB); not read";
  return "";
}

ConfigReport Diagnose(const std::string& path) {
  ConfigReport report;
  report.path = path;
  report.refused = RefusedConfig(path);
  if (!report.refused.empty()) return report;
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
  report.text = ReadAll(path);
  const std::string& text = report.text;
  const FileView view = ReadView(text);
  if (!report.failure.empty()) {
    report.why = Explain(failure, path, text, view, report.problem);
  } else {
    report.held = json::object();
    cctz::time_zone zone;
    if (ConfigTimeZone && TimeZones::Load(ConfigTimeZone->Name(), zone)) report.zone = zone;
    for (const ConfigMember& member : kConfigMembers) {
      report.settings.push_back(std::string(member.name) + "=" + Held(member));
      report.held[member.name] = HeldValue(member);
    }
  }
  report.warnings = Warnings(view, report.failure.empty());
  return report;
}

std::string ConfigReport::Text() const {
  std::ostringstream out;
  if (!refused.empty()) return refused + "\n";
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
