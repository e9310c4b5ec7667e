// What morrowset-check finds in a config.json, apart from how the command line prints it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <cctz/time_zone.h>
#include <nlohmann/json.hpp>

#include "ConfigProblem.h"

namespace morrowset {

// The largest config.json the tools read: far above any real one, which is a few hundred bytes.
constexpr std::size_t kLargestConfig = std::size_t{1} << 20;

struct ConfigReport {
  std::string path;  // the file read
  std::string
      refused;  // why the file was not read at all (a pipe or a device, too large); then nothing else is set
  std::string text;                      // the bytes read, as the plugin will read them
  std::string failure;                   // the error start-up would end with; empty when it loads
  std::string why;                       // under a failure: what to fix, one line (may be empty)
  ConfigProblem problem;                 // under a failure: what it is, for programs
  std::vector<std::string> settings;     // when it loads: "Member=value" for each member, in order
  nlohmann::json held;                   // when it loads: the same values by member name, as JSON values
  std::vector<std::string> policies;     // when it loads: the policies start-up registers, in order
  std::vector<std::string> policyLines;  // when it loads: what each of them does, or that none is on
  std::optional<cctz::time_zone> zone;   // when it loads: the zone of its "TimeZone"; none: the server's
  std::vector<std::string> warnings;     // what loads (or fails) but likely is not what was meant

  // Returns whether start-up would read the file and go on.
  bool Loads() const { return refused.empty() && failure.empty(); }
  // Returns the report as printed: the outcome, the file, then one warning per line.
  std::string Text() const;
  // Returns the exit code: 1 for a failure, or with strict for a warning; otherwise 0.
  int ExitCode(bool strict) const {
    return !refused.empty() || !failure.empty() || (strict && !warnings.empty()) ? 1 : 0;
  }
};

// Opens the config.json at path once, reads at most kLargestConfig + 1 bytes of it (a pipe or a
// device is refused unread) and reads those with the plugin's own code, as a freshly loaded
// library does (Settings and ConfigDocument start empty); says what it finds.
ConfigReport Diagnose(const std::string& path);

// Returns the JSON Schema of config.json, made from the table of members.
nlohmann::json Schema();

// Returns the parts of check-report.schema.json that the code's tables decide, each by its JSON
// pointer in that schema: the settings (the member table), the policies (the policy table) and the
// problem kinds (ProblemKind).
nlohmann::json ReportSchemaParts();

}  // namespace morrowset
