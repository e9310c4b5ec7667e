// The one line under a failed start-up: which member, what was found, what it takes, read from
// the exception's type and fields.
#include "DiagnosisParts.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "CommandLine.h"
#include "config/ConfigMembers.h"

namespace morrowset::diagnosis {
namespace {

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

}  // namespace

// Explains a failed start-up in one line: the member, what was found, what is expected.
std::string Explain(const Failure& failure, const std::string& path, const std::string& text,
                    const FileView& view, ConfigProblem& problem) {
  std::error_code ec;
  if (failure.config && failure.config->kind == ConfigError::Kind::Unreadable) {
    const std::filesystem::path file = std::filesystem::u8path(path);
    problem.found = DisplayPath(path);
    problem.kind = "folder";
    if (std::filesystem::is_directory(file, ec))
      return "the path is a folder, not a file: " + DisplayPath(path);
    if (!std::filesystem::exists(file, ec)) {
      // The outermost folder missing is the one to name: a mistyped server folder, or a plugin
      // not installed, rather than a first install.
      std::filesystem::path missing;
      for (std::filesystem::path folder = file.parent_path();
           !folder.empty() && !std::filesystem::exists(folder, ec); folder = folder.parent_path()) {
        missing = folder;
        if (folder == folder.parent_path()) break;
      }
      problem.kind = missing.empty() ? "missing-file" : "missing-folder";
      if (!missing.empty()) {
        problem.found = DisplayPath(missing.u8string());
        return "the folder " + problem.found + " does not exist, so there is no file at " + DisplayPath(path);
      }
      return "there is no file at " + DisplayPath(path) +
             " (a first install? morrowset-check --init writes the default)";
    }
    problem.kind = "unreadable";
    return "the file cannot be read (permissions?): " + DisplayPath(path);
  }
  if (failure.config && failure.config->kind == ConfigError::Kind::UnknownZone) {
    problem = {"unknown-zone", failure.config->member, json(failure.config->found).dump()};
    return ZoneAdvice(failure.config->found);
  }
  if (failure.jsonId == 101) {
    const auto [lineNumber, column] = LineAndColumn(text, failure.byte);
    problem.kind = "syntax";
    problem.line = lineNumber;
    problem.column = column;
    std::istringstream lines(text);
    std::string line;
    for (std::size_t i = 0; i < lineNumber && std::getline(lines, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return "line " + std::to_string(lineNumber) + ", column " + std::to_string(column) + ": " + line;
  }
  if (failure.jsonId == 406) {
    problem.kind = "number-too-large";
    return "a number is too large for any number type; day numbers run from -2147483648 to 2147483647";
  }
  if (failure.jsonId == 305) {
    problem = {"not-an-object", "", view.document.dump()};
    return "the file holds " + std::string(TypeName(view.document)) +
           ", not an object { } with the members \"ForceDay\", \"DayToForce\", ...";
  }
  if (!view.parsed || !view.document.is_object()) {
    if (!view.document.is_null()) return "";
    problem = {"not-an-object", "", "null"};
    return "the file holds null, not an object { } with the members";
  }
  // The first member, in start-up's order, that is missing or of the wrong type.
  for (const ConfigMember& member : kConfigMembers) {
    const std::string expected = Expected(member.kind);
    const auto found = view.document.find(member.name);
    if (found == view.document.end()) {
      if (!member.required) continue;
      problem = {"missing-member", member.name, ""};
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
      problem = {"wrong-type", member.name, found->dump()};
      std::string line = Quoted(member.name) + " is " + found->dump();
      if (!found->is_null()) line += std::string(" (") + TypeName(*found) + ")";
      line += ": " + expected;
      if (!member.required) line += ", or leave it out";
      return line;
    }
  }
  return "";
}

}  // namespace morrowset::diagnosis
