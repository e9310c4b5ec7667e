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

// What follows "the file holds ..." when it holds no object.
constexpr const char* kNotAnObject = ", not an object { } with the members \"ForceDay\", \"DayToForce\", ...";

// Returns a line as shown under a syntax error: whole when short, else the part around the
// column; control characters (a NUL of UTF-16 text) as "?".
std::string AroundColumn(const std::string& line, std::size_t column) {
  constexpr std::size_t kShown = 120;
  const std::size_t start =
      line.size() <= kShown || column <= kShown / 2 ? 0 : std::min(column - kShown / 2, line.size() - kShown);
  std::string shown = line.substr(start, kShown);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = '?';
  return (start > 0 ? "..." : "") + shown + (start + kShown < line.size() ? "..." : "");
}

// Returns what to do about a file that is not UTF-8 text at all, or an empty text.
std::string EncodingAdvice(const std::string& text) {
  const bool utf16 = text.rfind("\xff\xfe", 0) == 0 || text.rfind("\xfe\xff", 0) == 0;
  if (!utf16 && text.find('\0') == std::string::npos) return "";
  return std::string("; the file is ") + (utf16 ? "UTF-16 text" : "not UTF-8 text (it holds NUL bytes)") +
         ", and the plugin reads UTF-8: save it as UTF-8 (in Notepad: Save As, Encoding UTF-8)";
}

// Explains why the file could not be opened: a folder, a missing file or folder (the outermost
// one missing), or no permission.
std::string ExplainUnreadable(const std::string& path, ConfigProblem& problem) {
  std::error_code ec;
  const std::filesystem::path file = std::filesystem::u8path(path);
  problem.found = DisplayPath(path);
  problem.kind = ProblemKind::Folder;
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
    problem.kind = missing.empty() ? ProblemKind::MissingFile : ProblemKind::MissingFolder;
    if (!missing.empty()) {
      problem.found = DisplayPath(missing.u8string());
      return "the folder " + problem.found + " does not exist, so there is no file at " + DisplayPath(path);
    }
    return "there is no file at " + DisplayPath(path) +
           " (a first install? morrowset-check --init writes the default)";
  }
  problem.kind = ProblemKind::Unreadable;
  return "the file cannot be read (permissions?): " + DisplayPath(path);
}

// Explains the first member, in start-up's order, that is missing or of the wrong type; empty
// when there is none.
std::string ExplainMember(const FileView& view, ConfigProblem& problem) {
  for (const ConfigMember& member : kConfigMembers) {
    const std::string expected = Expected(member.kind);
    const auto found = view.document.find(member.name);
    if (found == view.document.end()) {
      if (!member.required) continue;
      problem = {ProblemKind::MissingMember, member.name, ""};
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
      problem = {ProblemKind::WrongType, member.name, Excerpt(*found)};
      std::string line = Quoted(member.name) + " is " + Excerpt(*found);
      if (!found->is_null()) line += std::string(" (") + TypeName(*found) + ")";
      line += ": " + expected;
      if (!member.required) line += ", or leave it out";
      return line;
    }
  }
  return "";
}

}  // namespace

// Explains a failed start-up in one line: the member, what was found, what is expected.
std::string Explain(const Failure& failure, const std::string& path, const std::string& text,
                    const FileView& view, ConfigProblem& problem) {
  if (failure.config && failure.config->kind == ConfigError::Kind::Unreadable)
    return ExplainUnreadable(path, problem);
  if (failure.config && failure.config->kind == ConfigError::Kind::UnknownZone) {
    problem = {ProblemKind::UnknownZone, failure.config->member, Excerpt(json(failure.config->found))};
    return ZoneAdvice(failure.config->found);
  }
  if (failure.jsonId == 101) {
    const auto [lineNumber, column] = LineAndColumn(text, failure.byte);
    problem.kind = ProblemKind::Syntax;
    problem.line = lineNumber;
    problem.column = column;
    std::istringstream lines(text);
    std::string line;
    for (std::size_t i = 0; i < lineNumber && std::getline(lines, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return "line " + std::to_string(lineNumber) + ", column " + std::to_string(column) + ": " +
           AroundColumn(line, column) + EncodingAdvice(text);
  }
  if (failure.jsonId == 406) {
    problem.kind = ProblemKind::NumberTooLarge;
    return "a number is too large for any number type; day numbers run from -2147483648 to 2147483647";
  }
  if (failure.jsonId == 305) {
    problem = {ProblemKind::NotAnObject, "", Excerpt(view.document)};
    return "the file holds " + std::string(TypeName(view.document)) + kNotAnObject;
  }
  if (!view.parsed || !view.document.is_object()) {
    if (!view.document.is_null()) return "";
    problem = {ProblemKind::NotAnObject, "", "null"};
    return std::string("the file holds null") + kNotAnObject;
  }
  return ExplainMember(view, problem);
}

}  // namespace morrowset::diagnosis
