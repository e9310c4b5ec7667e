// The parts of the config diagnosis, each in a file of its own: the file's own view, the zone
// advice, the explanation of a failure, the warnings.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ConfigProblem.h"
#include "config/Config.h"

namespace morrowset::diagnosis {

using nlohmann::json;

// Returns a name in double quotes.
std::string Quoted(const std::string& name);
// Returns "null", "an object", "an array", "a string", "a boolean" or "a number".
const char* TypeName(const json& value);
// Returns a value as JSON text for one line: as dump() writes it, but never nested deeper than a
// few levels (deeper ones show as [...] or {...}) nor longer than a few hundred characters
// (then cut, ending in "..."), so that no value in a file can exhaust the stack or the line.
std::string Excerpt(const json& value);
// Returns the edit distance of two names, case ignored.
std::size_t Distance(const std::string& a, const std::string& b);
// Returns the member a key not read by the plugin was likely meant to be, if any.
std::optional<std::string> NearMiss(const std::string& key);

// What the file says, read apart from the plugin: every top-level key in file order (duplicates
// included), the document, and where anything but white space follows the value.
struct FileView {
  bool parsed = false;
  std::vector<std::string> keys;
  json document;
  // The line and column of the first byte after the value that is not white space, if any.
  std::optional<std::pair<std::size_t, std::size_t>> trailingAt;
};

// Returns the file's view of a config.json's text.
FileView ReadView(const std::string& text);
// Returns the line and column (from 1) of a byte position (from 1), as the JSON library counts them.
std::pair<std::size_t, std::size_t> LineAndColumn(const std::string& text, std::size_t byte);

// Says what to write instead of a "TimeZone" that names no zone of the data.
std::string ZoneAdvice(const std::string& name);
// Adds the warnings for a zone that loads but likely is not what was meant.
void ZoneWarnings(const std::string& zone, std::vector<std::string>& warnings);

// What ended start-up, as the exception's type and fields tell it (never its words).
struct Failure {
  std::optional<ConfigError> config;  // one of the reading code's own
  int jsonId = 0;                     // the JSON library's error id (101 parse, 302 type, ...)
  std::size_t byte = 0;               // for a parse error: the byte it stopped at, from 1
};

// Explains a failed start-up in one line: the member, what was found, what is expected; sets
// problem to the same, for programs.
std::string Explain(const Failure& failure, const std::string& path, const std::string& text,
                    const FileView& view, ConfigProblem& problem);

// Returns the warnings of a file: its text's, and when it loaded, its settings'.
std::vector<std::string> Warnings(const FileView& view, bool loaded);

}  // namespace morrowset::diagnosis
