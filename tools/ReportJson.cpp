// The JSON forms of the checker's findings, member for member what its text says.
#include "ReportJson.h"

#include <sstream>

#include "CommandLine.h"
#include "PeImage.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace morrowset {

using nlohmann::json;

namespace {

// Returns a text as JSON, or null when it is empty.
json TextOrNull(const std::string& text) { return text.empty() ? json(nullptr) : json(text); }

// Returns a number from 1 as JSON, or null when it is 0 (not known).
json PlaceOrNull(std::size_t place) { return place == 0 ? json(nullptr) : json(place); }

}  // namespace

json ReportHead(const std::string& report, int reportVersion, const std::string& programVersion,
                const std::string& verdict, int exitCode) {
  return {{"report", report},
          {"reportVersion", reportVersion},
          {"programVersion", programVersion},
          {"verdict", verdict},
          {"exitCode", exitCode}};
}

json ConfigJson(const ConfigReport& report) {
  json config = {{"file", DisplayPath(report.path)},
                 {"loads", report.Loads()},
                 {"refused", TextOrNull(report.refused)},
                 {"error", nullptr},
                 {"settings", report.Loads() ? report.held : json(nullptr)},
                 {"policies", report.policies},
                 {"policyLines", report.policyLines},
                 {"zone", nullptr}};
  if (!report.failure.empty()) {
    const ConfigProblem& problem = report.problem;
    config["error"] = {{"text", report.failure},
                       {"kind", kProblemKindNames[static_cast<std::size_t>(problem.kind)]},
                       {"member", TextOrNull(problem.member)},
                       {"found", TextOrNull(problem.found)},
                       {"line", PlaceOrNull(problem.line)},
                       {"column", PlaceOrNull(problem.column)},
                       {"fix", TextOrNull(report.why)}};
  }
  if (report.zone) config["zone"] = {{"name", report.zone->name()}, {"tzRelease", TimeZones::DataVersion()}};
  return config;
}

json FrameworkJson(const FrameworkReport& report, const std::string& pluginPath,
                   const std::string& frameworkPath, const std::string& verdict) {
  json missing = json::array();
  for (const MissingImport& import : report.missing)
    missing.push_back({{"name", import.name},
                       {"function", import.function},
                       {"frameworkExport", TextOrNull(import.exported)},
                       {"pluginPart", TextOrNull(import.ours)},
                       {"frameworkPart", TextOrNull(import.theirs)}});
  const bool ok = report.importsFramework && report.exports > 0 && report.missing.empty();
  return {{"checked", true},
          {"ok", ok},
          {"verdict", verdict},
          {"plugin", DisplayPath(pluginPath)},
          {"framework", DisplayPath(frameworkPath)},
          {"imported", report.imported},
          {"missing", missing}};
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

int CheckFrameworkFiles(const std::string& pluginPath, const std::string& frameworkPath, std::ostream& out,
                        json& found) {
  pe::Image plugin, framework;
  std::string why;
  if (!pe::Read(pluginPath, plugin, why) || !pe::Read(frameworkPath, framework, why)) {
    out << why << "\n";
    found = FrameworkJson({}, pluginPath, frameworkPath, why);
    return 1;
  }
  const FrameworkReport report = CompareWithFramework(plugin, framework);
  std::ostringstream text;
  const int code = PrintFrameworkReport(report, pluginPath, frameworkPath, text);
  out << text.str();
  found = FrameworkJson(report, pluginPath, frameworkPath, FirstLine(text.str()));
  return code;
}

}  // namespace morrowset
