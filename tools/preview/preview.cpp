// morrowset-preview: what players will see, date by date, with the installed plugin and config.
//
// It runs the plugin binary installed in a server folder, exactly as it is, with a copy of its
// config.json, on a stand-in of the framework that ships in stand-in/ beside this program and
// is loaded from there by full path (never the server's own framework), on a simulated clock
// that runs the coming days as fast as it can. It prints one line per local date (or the
// change-by-change timeline) and, when asked, writes the same as a calendar page. It writes
// nothing into the server folder and opens no network port.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CalendarPage.h"
#include "CommandLine.h"
#include "Control.h"
#include "DaySummary.h"
#include "DevHost.h"
#include "Diagnosis.h"
#include "Forecast.h"
#include "FrameworkCheck.h"
#include "GameClock.h"
#include "LocalCalendar.h"
#include "PageFile.h"
#include "PluginFile.h"
#include "PreviewOptions.h"
#include "PreviewJson.h"
#include "ReportJson.h"
#include "Scratch.h"
#include "Simulation.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPlugin = "MorrowsetVelde";
constexpr auto kTimerInterval = std::chrono::seconds(1);

// Returns when and by what a page is written: "written 2026-12-10 04:40:12 CET by morrowset-preview 1.4.0".
std::string Written() {
  return "written " +
         LocalCalendar(std::nullopt).Format(std::chrono::system_clock::now(), "%Y-%m-%d %H:%M:%S %Z") +
         " by morrowset-preview " MORROWSET_VERSION;
}

// Puts a page that says why the run stopped where --html asked for the calendar, if a page may go
// there: one the preview wrote is never left showing a calendar the config no longer backs.
void FailurePage(const Options& options, const std::string& why) {
  if (options.html.empty() || Interruption::Interrupted()) return;
  const PageFile page(options.html, options.serverDir);
  if (!page.Check().empty()) return;
  const std::string failed = page.Write([&](std::ostream& out) { WriteFailurePage(out, why, Written()); });
  if (failed.empty() && !options.json)
    std::cout << "page: " << morrowset::DisplayPath(options.html) << " says why the preview did not run\n";
}

// Prints why a run ends without its days: one line on standard error (or the checker's report
// on standard output), or with --json one document with that line as its verdict; returns 1.
// The page, when asked for, says the same (unless it is the page that could not be written).
int Stop(const Options& options, const std::string& line, const morrowset::ConfigReport* report = nullptr,
         bool pageToo = true) {
  if (options.json) {
    nlohmann::json answer = morrowset::ReportHead("morrowset-preview", morrowset::kPreviewReportVersion,
                                                  MORROWSET_VERSION, line, 1);
    answer["config"] = report ? morrowset::ConfigJson(*report) : nlohmann::json(nullptr);
    std::cout << answer.dump(2) << "\n";
  } else if (report) {
    std::cout << report->Text();
  } else {
    std::cerr << "morrowset-preview: " << line << "\n";
  }
  if (pageToo) FailurePage(options, report ? report->Text() : line);
  return 1;
}

// The run's settings once the arguments, the config and the zone are read.
struct Run {
  fs::path library;        // the installed plugin
  fs::path config;         // its config.json
  std::string configText;  // its bytes as the check read them: what the preview's copy holds
  std::string build;       // the build the plugin names
  Time from;
  std::chrono::seconds span{};
  std::vector<std::string> framework;  // the server framework's refusal, as the header's lines
  nlohmann::json frameworkFound;       // the check of the server's framework; null when it holds none
  bool frameworkRefuses = false;
};

// Reads the span and the start in the zone; returns 0 or the exit code.
int ReadSpan(const Options& options, const LocalCalendar& calendar, Run& run) {
  std::string why;
  if (!WallClock::ParseDuration(options.span, run.span, why) || run.span.count() == 0)
    return BadUsage(why.empty() ? "--for takes a duration (" + std::string(WallClock::kDurationExamples) +
                                      "): " + options.span
                                : "--for " + options.span + ": " + why);
  if (GameClock::CanRun(WallClock::Time{}, run.span, kTimerInterval, why) == GameClock::Reach::TooManyRounds)
    return BadUsage("--for " + options.span + ": the preview runs at most " +
                    WallClock::DurationText(std::chrono::seconds(GameClock::kMostRounds)) + " (" + why + ")");
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
                  calendar.Format(run.from + run.span, format) + " (" + WallClock::DurationText(run.span) +
                  "), a timer round every 1 s");
  if (options.dayLengthSeconds > 0)
    lines.push_back(
        "day cycle: an in-game day every " + SecondsText(options.dayLengthSeconds) + " s" +
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

// Copies the installed plugin and its config into the session's server folder, a folder of the
// preview's own, and loads that plugin alone; returns an empty text or why it failed.
std::string LoadPluginCopy(const Run& run, Simulation& session, const std::string& scratch) {
  const std::string folder = DevHost::PluginFolder(scratch, kPlugin);
  const std::string library = folder + "/" + DevHost::LibraryFileName(kPlugin);
  std::error_code error;
  fs::create_directories(fs::u8path(folder), error);
  if (error || !fs::copy_file(run.library, fs::u8path(library), error))
    return "cannot copy the plugin into " + morrowset::DisplayPath(scratch) + ": " + error.message();
  // The config as checked, byte for byte: never read again from the server folder.
  std::ofstream config(fs::u8path(folder + "/config.json"), std::ios::binary);
  config << run.configText;
  config.close();
  if (!config) return "cannot copy the config into " + morrowset::DisplayPath(scratch);
  if (const std::string why = session.LoadPlugin(kPlugin, library); !why.empty())
    return "the plugin failed to start: " + why;
  return "";
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

// Moves the clock over the span unless an interruption comes; returns whether it ran to the end.
bool Advance(GameClock& clock, std::chrono::seconds span) {
  std::chrono::nanoseconds left = span;
  while (left.count() > 0 && !Interruption::Interrupted())
    left = clock.Advance(left, std::chrono::milliseconds(50));
  return left.count() == 0;
}

// Runs the span on the loaded plugin and prints the date lines (or the timeline); returns the
// exit code: 1 when the plugin broke the host contract or the server's framework refuses it.
int RunSpan(const Options& options, const Run& run, const LocalCalendar& calendar, DayRecorder& record,
            Forecast& timeline) {
  GameClock clock(kTimerInterval);
  if (options.timeline) {
    timeline.Start(run.span, clock, options.dayLengthSeconds);
    if (!Advance(clock, run.span)) return 1;
    return std::max(timeline.Finish(), run.frameworkRefuses ? 1 : 0);
  }
  if (!Advance(clock, run.span)) return 1;
  record.Finish();
  if (options.json) return record.Faults().empty() && !run.frameworkRefuses ? 0 : 1;
  for (const DateSummary& date : record.Dates())
    std::cout << SummaryLine(date, record.WriterNames(), calendar) << "\n";
  std::cout << SeenDayFooter(WritesText(record), record.EndDay());
  for (const std::string& fault : record.Faults()) std::cout << fault << "\n";
  return record.Faults().empty() && !run.frameworkRefuses ? 0 : 1;
}

// Returns the session's settings: the preview's own folder, the clock at the start, the day cycle,
// the day players see now, and the zone times are shown in.
Simulation::Setup SessionSetup(const Options& options, const Run& run, const LocalCalendar& calendar,
                               const ScratchFolder& scratch) {
  Simulation::Setup setup;
  setup.serverDir = scratch.EightBitName();
  setup.start = run.from;
  setup.dayLengthSeconds = options.dayLengthSeconds;
  setup.day = options.day;
  setup.times = &calendar;
  return setup;
}

// Returns the page's title: "Morrowset preview: ZONE, FROM up to TO".
std::string PageTitle(const Run& run, const LocalCalendar& calendar) {
  return "Morrowset preview: " + calendar.Name() + ", " + calendar.Format(run.from, "%Y-%m-%d %H:%M") +
         " up to " + calendar.Format(run.from + run.span, "%Y-%m-%d %H:%M %Z");
}

// Returns the header as the page shows it: a server folder given by its full path named by its own
// name, so that a page passed on does not tell where the server lives.
std::vector<std::string> PageHeader(const Options& options, std::vector<std::string> header) {
  const fs::path folder = fs::u8path(options.serverDir);
  if (!folder.is_absolute()) return header;
  const std::string full = morrowset::DisplayPath(options.serverDir);
  const std::string name = (folder.filename().empty() ? folder.parent_path() : folder).filename().u8string();
  for (std::string& line : header)
    for (std::size_t at = 0; (at = line.find(full, at)) != std::string::npos; at += name.size())
      line.replace(at, full.size(), name);
  return header;
}

// Writes the page where the admin asked for one, unless the run was interrupted, and says where;
// returns an empty text or why it could not.
std::string WritePage(const Options& options, const Run& run, const PageFile& page,
                      const std::vector<std::string>& header, const DayRecorder& record,
                      const LocalCalendar& calendar) {
  if (options.html.empty() || Interruption::Interrupted()) return "";
  const std::string failed = page.Write([&](std::ostream& out) {
    WriteCalendarPage(out, PageTitle(run, calendar), PageHeader(options, header), run.framework.size(),
                      record, calendar, Written());
  });
  if (failed.empty() && !options.json) std::cout << "page: " << morrowset::DisplayPath(options.html) << "\n";
  return failed;
}

// Prints the --json answer of a run that went through its days.
void PrintJsonAnswer(const Options& options, const Run& run, const PreviewFacts& facts,
                     const DayRecorder& record, const LocalCalendar& calendar, int code) {
  const std::string verdict = run.frameworkRefuses      ? run.frameworkFound.value("verdict", "")
                              : record.Faults().empty() ? std::string("OK")
                                                        : record.Faults().front();
  nlohmann::json answer = morrowset::ReportHead("morrowset-preview", morrowset::kPreviewReportVersion,
                                                MORROWSET_VERSION, verdict, code);
  answer["page"] =
      options.html.empty() ? nlohmann::json(nullptr) : nlohmann::json(morrowset::DisplayPath(options.html));
  answer.update(PreviewJson(facts, record, calendar));
  std::cout << answer.dump(2) << "\n";
}

// The program, step by step; main() adds only the last word on any exception.
int Main(const std::vector<std::string>& args) {
  // 1. The arguments.
  Options options;
  if (const int code = ParseOptions(args, options)) return code;

  // 2. The stand-in of the framework, by its full path beside this program, and only it.
  const fs::path standIn = DevHost::ProgramFolder() / "stand-in" / DevHost::StandInFileName();
  std::string why = StandInRefusal(standIn);  // read before it is loaded, then bound
  why = why.empty() ? DevHost::Bind(standIn.u8string()) : standIn.u8string() + ": " + why;
  if (!why.empty())
    return Stop(options, morrowset::DisplayPath(why) + " (it ships in " +
                             morrowset::DisplayPath("Morrowset/stand-in/") + ": unpack the release again)");

  // 3. The installed plugin, its config as the plugin reads it, the zone, the span, where the
  //    page goes, and the server's framework.
  Run run;
  morrowset::ConfigReport report;
  if (const int code = FindInstall(options, run, report)) return code;
  const LocalCalendar calendar(report.zone);
  if (const int code = ReadSpan(options, calendar, run)) return code;
  const PageFile page(options.html, options.serverDir);
  if (const std::string why = options.html.empty() ? "" : page.Check(); !why.empty()) return BadUsage(why);
  if (!WallClock::Available()) return Stop(options, "the clock cannot be simulated on this platform");
  CheckFramework(options, run);

  // 4. The plugin, a copy of it in a folder of our own, on the stand-in, its clock at the start.
  Interruption::Catch();
  int code = 1;
  {
    const ScratchFolder scratch;
    std::optional<Simulation> session(std::in_place, SessionSetup(options, run, calendar, scratch));
    const std::vector<std::string> header = Header(options, run, report, calendar);
    const PreviewFacts facts = Facts(options, run, report, calendar, header);
    DayRecorder record(calendar, run.from, run.from + run.span, kTimerInterval, DevHost::ReplicatedDay(),
                       report.policies);
    Forecast timeline(std::cout);
    session->Listen([&](const DevHost::Event& event) {
      options.timeline ? timeline.OnEvent(event) : record.OnEvent(event);
    });
    if (const std::string failed = LoadPluginCopy(run, *session, scratch.EightBitName()); !failed.empty())
      return Stop(options, failed);

    // 5. The coming days, as fast as they run, unless interrupted.
    if (!options.json)
      for (const std::string& line : header) std::cout << line << "\n";
    code = RunSpan(options, run, calendar, record, timeline);
    session.reset();  // the plugin unloaded, the clock back to the real time

    // 6. The page, where the admin asked for it.
    if (const std::string failed = WritePage(options, run, page, header, record, calendar); !failed.empty())
      return Stop(options, failed, nullptr, false);

    // 7. With --json, the whole answer in one document.
    if (options.json && !Interruption::Interrupted())
      PrintJsonAnswer(options, run, facts, record, calendar, code);
  }
  if (const int signal = Interruption::Interrupted()) Interruption::Finish(signal);
  return code;
}

// Double-clicked: the preview of the server folder the program was unpacked into, its page in
// the user's temporary folder (never in the server folder).
std::vector<std::string> DoubleClick(const std::string& serverDir) {
  return {"--server-dir", serverDir, "--html",
          (morrowset::TemporaryFolder() / "morrowset-preview.html").u8string()};
}

}  // namespace

int main(int argc, char** argv) {
  return morrowset::RunGuarded("morrowset-preview", Main, DoubleClick, argc, argv);
}
