// The diagnosis of a config.json: the plugin's own reading of it, the line that says what to fix,
// and the warnings for what loads but likely does not do what the admin meant.
#include "Diagnosis.h"

#include <algorithm>
#include <exception>
#include <sstream>

#include "CommandLine.h"
#include "DiagnosisParts.h"
#include "PolicyWords.h"
#include "SafeFiles.h"
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

// Returns why the tools do not read a file at all, in one line naming it: it is no regular file
// (a pipe or a device), or it is larger than kLargestConfig. Empty otherwise.
std::string Refused(const ReadOnce& file, const std::string& path) {
  const std::string shown = DisplayPath(path);
  if (file.outcome == ReadOnce::Outcome::NotAFile)
    return shown +
           " is not a file but a pipe, a device or a socket: the server would wait on it or read it "
           "without end; make config.json a plain file";
  if (file.outcome == ReadOnce::Outcome::Read && file.bytes.size() > kLargestConfig)
    return shown + " is " + std::to_string(std::max<std::uintmax_t>(file.size, file.bytes.size())) +
           " bytes, more than the " + std::to_string(kLargestConfig >> 10) +
           " KiB a config.json may be (the default is well under 1 KiB); not read";
  return "";
}

// Returns the text the plugin's own stream reads from the file's bytes: on Windows it opens the
// file in text mode, where the C library reads CR LF as LF and ends the file at a Ctrl-Z.
std::string AsThePluginReads(std::string bytes) {
#if defined(_WIN32)
  bytes.erase(std::min(bytes.find('\x1a'), bytes.size()));
  std::size_t kept = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) bytes[kept++] = bytes[i];
  bytes.resize(kept);
#endif
  return bytes;
}

// Reads the config's text with the plugin's own code, as start-up would; returns what failed.
Failure ReadAsThePlugin(const ReadOnce& file, const std::string& path, const std::string& text,
                        ConfigReport& report) {
  ResetSettings();
  Failure failure;
  try {
    if (file.outcome != ReadOnce::Outcome::Read) throw UnreadableConfig(path);
    std::istringstream stream(text);
    ReadConfigStream(stream);
    for (std::size_t row = 0; row < kPolicyCount; ++row)
      if (kDayPolicies[row].switchedOn()) {
        report.policies.push_back(kDayPolicies[row].timer);
        report.policyLines.push_back(PolicyLine(static_cast<PolicyRow>(row)));
      }
    if (report.policies.empty()) report.policyLines.push_back(NoPolicyLine());
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
  if (!report.failure.empty()) {
    report.policies.clear();
    report.policyLines.clear();
  }
  return failure;
}

}  // namespace

ConfigReport Diagnose(const std::string& path) {
  ConfigReport report;
  report.path = path;
  // One open, by the name the plugin's own 8-bit code opens: all that follows reads these bytes.
  const ReadOnce file = ReadFileOnce(EightBitOpened(path), kLargestConfig + 1);
  report.refused = Refused(file, path);
  if (!report.refused.empty()) return report;
  report.text = file.bytes;
  const std::string text = AsThePluginReads(file.bytes);
  const Failure failure = ReadAsThePlugin(file, path, text, report);
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
    for (const auto& line : policyLines) out << line << "\n";
  }
  out << "file: " << DisplayPath(path) << "\n";
  for (const auto& warning : warnings) out << "warning: " << warning << "\n";
  return out.str();
}

}  // namespace morrowset
