// What a preview runs on, found and read before anything loads.
#include "Install.h"

#include <sstream>

#include "CommandLine.h"
#include "DevHost.h"
#include "Duration.h"
#include "FrameworkCheck.h"
#include "GameClock.h"
#include "PeImage.h"
#include "PluginFile.h"
#include "PreviewStop.h"
#include "ReportJson.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace fs = std::filesystem;

// Reads the span and the start in the zone; returns 0 or the exit code.
int ReadSpan(const Options& options, const LocalCalendar& calendar, Run& run) {
  std::string why;
  cli::ParseDuration(options.span, run.span);  // its row has read it
  if (GameClock::CanRun(WallClock::Time{}, run.span, kTimerInterval, why) == GameClock::Reach::TooManyRounds)
    return BadUsage("--for " + options.span + ": the preview runs at most " +
                    cli::DurationText(std::chrono::seconds(GameClock::kMostRounds)) + " (" + why + ")");
  run.from = std::chrono::time_point_cast<std::chrono::minutes>(std::chrono::system_clock::now());
  if (!options.from.empty() && !calendar.Parse(options.from, run.from))
    return BadUsage("--from takes a local time \"YYYY-MM-DD HH:MM[:SS]\": " + options.from);
  const int firstYear = calendar.FirstYear();
  if (calendar.DateOf(run.from).year() < firstYear)
    return BadUsage("--from: the preview starts in " + std::to_string(firstYear) +
                    " or later: " + options.from);
  if (GameClock::CanRun(run.from, run.span, kTimerInterval, why) != GameClock::Reach::Within)
    return BadUsage("--for: the preview would run past the end of " + std::to_string(WallClock::kLastYear));
  return 0;
}

// The header of both the text and the page.
std::vector<std::string> Header(const Options& options, const Run& run, const morrowset::ConfigReport& report,
                                const LocalCalendar& calendar) {
  std::vector<std::string> lines = run.framework;
  lines.push_back("plugin: " + morrowset::DisplayPath(run.library.u8string()) + " (" + run.build +
                  "), run as installed on the preview's stand-in of the framework");
  lines.push_back("config: as the plugin holds it, as morrowset-check prints it:");
  std::string text = report.Text();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    lines.push_back("  " + text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  lines.push_back("zone: " + calendar.Describe());
  const char* format = "%Y-%m-%d %H:%M:%S %Z";
  lines.push_back("span: " + calendar.Format(run.from, format) + " up to " +
                  calendar.Format(run.from + run.span, format) + " (" + cli::DurationText(run.span) +
                  "), a timer round every " + std::to_string(kTimerInterval.count()) + " s");
  if (options.dayLengthSeconds > 0)
    lines.push_back(
        "day cycle: an in-game day every " + cli::SecondsText(options.dayLengthSeconds) + " s" +
        (options.dayLengthGiven ? "" : " (the default; --day-length S for your game's, 0 for none)"));
  else
    lines.push_back("day cycle: none (--day-length 0)");
  if (options.day)
    lines.push_back("start: day " + std::to_string(*options.day) + ", the day players see now (--day)");
  else
    lines.push_back("start: day " + std::to_string(DevHost::ReplicatedDay()) +
                    " assumed: the day players see now is not known (--day N gives it)");
  return lines;
}

// Finds the installed plugin and its config, reads the config as the plugin does, and checks
// that the plugin is a Morrowset build; returns 0 or the exit code (1, with the checker's
// report, when the config would not load).
int FindInstall(const Options& options, Run& run, morrowset::ConfigReport& report) {
  const std::string config = ConfigPath(options.serverDir);  // the plugin's folder, as the plugin finds it
  run.library = fs::u8path(config.substr(0, config.rfind('/') + 1) + DevHost::LibraryFileName(kPlugin));
  run.config = fs::u8path(config);
  report = morrowset::Diagnose(run.config.u8string());
  run.configText = report.text;
  if (!report.Loads()) return Stop(options, morrowset::FirstLine(report.Text()), &report);
  std::error_code error;
  if (!fs::is_regular_file(run.library, error))
    return Stop(options, "no plugin installed at " + morrowset::DisplayPath(run.library.u8string()));
  std::string why;
  run.build = MorrowsetBuild(run.library, why);
  if (run.build.empty())
    return Stop(options, morrowset::DisplayPath(run.library.u8string()) + " is not a Morrowset build (" +
                             why + "); install the plugin from a release");
  return 0;
}

// Checks the server's own framework against the installed plugin, as morrowset-check does, when
// the server folder holds a Windows framework beside TolvApi.
void CheckFramework(const Options& options, Run& run) {
  const std::string framework = options.serverDir + "/ZelApi.dll";
  std::error_code error;
  morrowset::pe::Image plugin;
  std::string why;
  if (!fs::is_regular_file(fs::u8path(framework), error) ||
      !morrowset::pe::Read(run.library.u8string(), plugin, why))
    return;  // no framework, or a Linux server's
  std::stringstream verdict;
  run.frameworkRefuses =
      morrowset::CheckFrameworkFiles(run.library.u8string(), framework, verdict, run.frameworkFound) != 0;
  if (!run.frameworkRefuses) return;
  run.framework.push_back(
      "framework: the server's framework will NOT load this plugin, as morrowset-check says:");
  for (std::string line; std::getline(verdict, line);) run.framework.push_back("  " + line);
}

// Returns the header's facts, for --json.
PreviewFacts Facts(const Options& options, const Run& run, const morrowset::ConfigReport& report,
                   const LocalCalendar& calendar, const std::vector<std::string>& header) {
  PreviewFacts facts;
  facts.plugin = morrowset::DisplayPath(run.library.u8string());
  facts.build = run.build;
  facts.config = morrowset::ConfigJson(report);
  facts.framework = run.frameworkFound;
  const char* format = "%Y-%m-%d %H:%M:%S %Z";
  facts.from = calendar.Format(run.from, format);
  facts.to = calendar.Format(run.from + run.span, format);
  facts.seconds = run.span.count();
  facts.roundSeconds = kTimerInterval.count();
  facts.dayLengthSeconds = options.dayLengthSeconds;
  facts.dayLengthGiven = options.dayLengthGiven;
  facts.startDay = DevHost::ReplicatedDay();
  facts.startDayKnown = options.day.has_value();
  facts.headerLines = header;
  return facts;
}
