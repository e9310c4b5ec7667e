// The JSON forms of the tools' findings, for --json: what the text says, for programs. Their
// shapes are published as JSON Schemas beside the programs; each report's version changes with it.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "Diagnosis.h"
#include "FrameworkCheck.h"

namespace morrowset {

// The version of each report's shape: a new member keeps it, a changed or removed one raises it.
constexpr int kCheckReportVersion = 1;
constexpr int kPreviewReportVersion = 2;  // 2: its framework is the check's finding, not text lines

// Returns the members every report opens with: which report it is, the version of its shape,
// the program's release, the run's verdict and its exit code.
nlohmann::json ReportHead(const std::string& report, int reportVersion, const std::string& programVersion,
                          const std::string& verdict, int exitCode);

// Returns the config part of a check: whether it loads, why it was refused, the error start-up
// ends with (its kind, member, what was found, where, what to fix), the settings as the plugin
// holds them, the policies that will run, and the zone with its tz release.
nlohmann::json ConfigJson(const ConfigReport& report);

// Returns the framework check's findings: whether the framework takes the plugin, the verdict
// line, both files, and each import the framework lacks.
nlohmann::json FrameworkJson(const FrameworkReport& report, const std::string& pluginPath,
                             const std::string& frameworkPath, const std::string& verdict);

// Checks that the framework DLL exports every function the plugin DLL imports from it: prints the
// check's text and sets found to its finding; returns 0, or 1 when the framework will not load the
// plugin or a file cannot be read as an image.
int CheckFrameworkFiles(const std::string& pluginPath, const std::string& frameworkPath, std::ostream& out,
                        nlohmann::json& found);

// Returns the first line of text, without its line end.
std::string FirstLine(const std::string& text);

}  // namespace morrowset
