// morrowset-preview: what players will see, date by date, with the installed plugin and config.
//
// It runs the plugin binary installed in a server folder, exactly as it is, with a copy of its
// config.json, on a stand-in of the framework that ships beside this program (never the
// server's own), on a simulated clock that runs the coming days as fast as it can. It prints
// one line per local date (or the change-by-change timeline) and, when asked, writes the same
// as a calendar page. It writes nothing into the server folder and opens no network port.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "CalendarPage.h"
#include "CommandLine.h"
#include "DaySummary.h"
#include "DevHost.h"
#include "Diagnosis.h"
#include "Forecast.h"
#include "GameLoop.h"
#include "LocalCalendar.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPlugin = "MorrowsetVelde";
constexpr double kDefaultDayLength = 1800;  // the development server's
constexpr auto kTimerInterval = std::chrono::seconds(1);

struct Options {
  std::string serverDir;
  std::string from;  // empty: now
  std::string span = "14d";
  double dayLength = kDefaultDayLength;
  bool dayLengthGiven = false;
  std::string html;
  bool timeline = false;
};

void Usage(std::ostream& out) {
  out << "usage: morrowset-preview --server-dir DIR [--from \"YYYY-MM-DD HH:MM\"] [--for DURATION]\n"
         "                         [--day-length S] [--html FILE] [--timeline]\n"
         "Runs the plugin installed in DIR/TolvApi/Plugins/MorrowsetVelde/, as it is, with a copy of\n"
         "its config.json, over the coming days on a simulated clock, and prints what players will\n"
         "see: one line per local date, in the zone of the config's \"TimeZone\" (else the machine's).\n"
         "Nothing is written into DIR. Exit 0; 1 when the config or the plugin would not load (the\n"
         "config's problems as morrowset-check prints them); 2 for bad usage.\n"
         "  --server-dir DIR   the server folder\n"
         "  --from TIME        where the preview starts, a local time in that zone (default: now)\n"
         "  --for DURATION     how long it runs: 90s, 5m, 2h, 3d, 1d12h (default 14d)\n"
         "  --day-length S     seconds of the game's own in-game day, which moves the day on by\n"
         "                     itself (default 1800, as the development server; 0: none)\n"
         "  --html FILE        also write the preview as a calendar page (one HTML file)\n"
         "  --timeline         print every change of the day instead of a line per date\n"
         "  --help, --version  this text; the version\n";
}

int BadUsage(const std::string& why) {
  std::cerr << "morrowset-preview: " << why << "\n";
  Usage(std::cerr);
  return 2;
}

bool ParseSeconds(const char* text, double& out) {
  if (*text == '\0' || std::strspn(text, "0123456789.") != std::strlen(text)) return false;
  char* end = nullptr;
  out = std::strtod(text, &end);
  return *end == '\0';
}

// Returns 0, or the exit code for bad arguments (help and version exit at once).
int ParseOptions(const std::vector<std::string>& argv, Options& options) {
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      std::exit(0);
    } else if (arg == "--version") {
      std::cout << "morrowset-preview " << MORROWSET_VERSION << "\n";
      std::exit(0);
    } else if (arg == "--server-dir" && hasValue) {
      options.serverDir = argv[++i];
    } else if (arg == "--from" && hasValue) {
      options.from = argv[++i];
    } else if (arg == "--for" && hasValue) {
      options.span = argv[++i];
    } else if (arg == "--day-length" && hasValue) {
      if (!ParseSeconds(argv[i + 1].c_str(), options.dayLength) ||
          (options.dayLength != 0 && options.dayLength < 1))
        return BadUsage("--day-length takes 0 (none) or a plain number of seconds from 1: " + argv[i + 1]);
      options.dayLengthGiven = true;
      ++i;
    } else if (arg == "--html" && hasValue) {
      options.html = argv[++i];
    } else if (arg == "--timeline") {
      options.timeline = true;
    } else {
      return BadUsage("bad argument: " + arg);
    }
  }
  if (options.serverDir.empty()) return BadUsage("--server-dir is required");
  if (options.html.empty() == false && options.timeline)
    return BadUsage("--html goes with the date lines, not --timeline");
  return 0;
}

// Returns the build a plugin file names for itself ("Morrowset 1.2.0"), looked for in its first
// 64 MiB; "an unknown build" when it names none.
std::string PluginBuild(const fs::path& library) {
  static const std::string kMark = "@(#)";
  std::ifstream file(library, std::ios::binary);
  std::string window;
  char buffer[1 << 16];
  for (std::size_t read = 0; file && read < (64u << 20); read += sizeof buffer) {
    file.read(buffer, sizeof buffer);
    window.append(buffer, static_cast<std::size_t>(file.gcount()));
    const std::size_t at = window.find(kMark + "Morrowset ");
    if (at != std::string::npos && window.find('\0', at) != std::string::npos)
      return window.substr(at + kMark.size(), window.find('\0', at) - at - kMark.size());
    window.erase(0, window.size() > 64 ? window.size() - 64 : 0);
  }
  return "an unknown build";
}

// A folder of our own in the system's temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    for (;;) {
      path_ = fs::temp_directory_path() / ("morrowset-preview-" + std::to_string(random()));
      if (fs::create_directory(path_)) return;
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  // Returns the folder by a name the plugin's 8-bit file code opens.
  std::string EightBitName() const { return morrowset::EightBitPath(path_.u8string()); }

 private:
  fs::path path_;
};

// The run's settings once the arguments, the config and the zone are read.
struct Run {
  fs::path library;  // the installed plugin
  fs::path config;   // its config.json
  std::optional<cctz::time_zone> zone;
  Time from;
  std::chrono::seconds span{};
};

// Reads the span and the start in the zone; returns 0 or the exit code.
int ReadSpan(const Options& options, const LocalCalendar& calendar, Run& run) {
  if (!WallClock::ParseDuration(options.span, run.span) || run.span.count() == 0)
    return BadUsage("--for takes a duration (90s, 5m, 2h, 3d, 1d12h): " + options.span);
  std::string tooLong;
  if (!GameClock::CanAdvance(run.span, kTimerInterval, tooLong)) return BadUsage("--for: " + tooLong);
  run.from = std::chrono::time_point_cast<std::chrono::minutes>(std::chrono::system_clock::now());
  if (!options.from.empty() && !calendar.Parse(options.from, run.from))
    return BadUsage("--from takes a local time \"YYYY-MM-DD HH:MM[:SS]\": " + options.from);
  const int firstYear = calendar.FromData() ? TimeZones::kFirstYear : WallClock::kFirstYear;
  if (calendar.DateOf(run.from).year() < firstYear)
    return BadUsage("--from: the preview starts in " + std::to_string(firstYear) +
                    " or later: " + options.from);
  if (run.from > WallClock::Last() || run.span > WallClock::Last() - run.from)
    return BadUsage("--for: the preview would run past the end of " + std::to_string(WallClock::kLastYear));
  return 0;
}

// The header of both the text and the page.
std::vector<std::string> Header(const Options& options, const Run& run, const morrowset::ConfigReport& report,
                                const LocalCalendar& calendar) {
  std::vector<std::string> lines;
  lines.push_back("plugin: " + morrowset::DisplayPath(run.library.u8string()) + " (" +
                  PluginBuild(run.library) +
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
  lines.push_back("span: " + calendar.Format(run.from, format) + " to " +
                  calendar.Format(run.from + run.span, format) + " (" + WallClock::DurationText(run.span) +
                  "), a timer round every 1 s");
  char cycle[160];
  if (options.dayLength > 0)
    std::snprintf(cycle, sizeof cycle, "day cycle: an in-game day every %g s%s", options.dayLength,
                  options.dayLengthGiven ? "" : " (the default; --day-length S for your game's, 0 for none)");
  else
    std::snprintf(cycle, sizeof cycle, "day cycle: none (--day-length 0)");
  lines.push_back(cycle);
  lines.push_back("start: day " + std::to_string(DevHost::ReplicatedDay()) +
                  ", the stand-in game's; your server's day stands until the first write");
  return lines;
}

// Copies the installed plugin and its config into a server folder of the preview's own and
// loads that plugin alone; returns an empty text or why it failed.
std::string LoadPluginCopy(const Run& run, const std::string& scratch) {
  const std::string folder = DevHost::PluginFolder(scratch, kPlugin);
  const std::string library = folder + "/" + DevHost::LibraryFileName(kPlugin);
  std::error_code error;
  fs::create_directories(fs::u8path(folder), error);
  if (error || !fs::copy_file(run.library, fs::u8path(library), error) ||
      !fs::copy_file(run.config, fs::u8path(folder + "/config.json"), error))
    return "cannot copy the plugin into " + morrowset::DisplayPath(scratch) + ": " + error.message();
  DevHost::SetServerDir(scratch);
  if (DevHost::LoadPlugin(kPlugin, library)) return "";
  return "the plugin failed to start: " + DevHost::LoadErrorOf(kPlugin);
}

// Prints the writes per writer and the day at the end.
void PrintFooter(std::ostream& out, const DayRecorder& record) {
  std::string writes;
  for (int w = 0; w < record.WriterNames().Count(); ++w)
    if (record.Totals()[w] > 0)
      writes += (writes.empty() ? " " : ", ") + record.WriterNames().Name(w) + " " +
                std::to_string(record.Totals()[w]);
  out << "writes:" << (writes.empty() ? " none" : writes) << "\nday at the end: " << DevHost::ReplicatedDay()
      << "\n";
}

// Finds the installed plugin and its config, and reads the config as the plugin does; returns 0
// or the exit code (1, with the checker's report, when the config would not load).
int FindInstall(const Options& options, Run& run, morrowset::ConfigReport& report) {
  const std::string config = ConfigPath(options.serverDir);  // the plugin's folder, as the plugin finds it
  run.library = fs::u8path(config.substr(0, config.rfind('/') + 1) + DevHost::LibraryFileName(kPlugin));
  run.config = fs::u8path(config);
  report = morrowset::Diagnose(run.config.u8string());
  if (!report.failure.empty()) {
    std::cout << report.Text();
    return 1;
  }
  std::error_code error;
  if (!fs::is_regular_file(run.library, error)) {
    std::cerr << "morrowset-preview: no plugin installed at "
              << morrowset::DisplayPath(run.library.u8string()) << "\n";
    return 1;
  }
  return 0;
}

// Runs the span on the loaded plugin and prints the date lines (or the timeline); returns the
// exit code: 1 when the plugin broke the host contract.
int RunSpan(const Options& options, const Run& run, const LocalCalendar& calendar, DayRecorder& record,
            Forecast& timeline) {
  GameClock clock(kTimerInterval);
  if (options.timeline) return RunForecast(timeline, clock, run.span, options.dayLength);
  clock.Advance(run.span);
  record.Finish(run.from + run.span);
  for (const DateSummary& date : record.Dates())
    std::cout << SummaryLine(date, record.WriterNames(), calendar) << "\n";
  PrintFooter(std::cout, record);
  for (const std::string& fault : record.Faults()) std::cout << fault << "\n";
  return record.Faults().empty() ? 0 : 1;
}

// Writes the calendar page where the admin asked for it; false, said in one line, when it cannot.
bool WritePage(const std::string& path, const std::vector<std::string>& header, const DayRecorder& record,
               const LocalCalendar& calendar) {
  std::ofstream page(fs::u8path(path), std::ios::binary);
  WriteCalendarPage(page, header, record, calendar);
  if (!page.flush()) {
    std::cerr << "morrowset-preview: cannot write " << morrowset::DisplayPath(path) << "\n";
    return false;
  }
  std::cout << "page: " << morrowset::DisplayPath(path) << "\n";
  return true;
}

// The program, step by step; main() adds only the last word on any exception.
int Main(int argc, char** argv) {
  // 1. The arguments (UTF-8 whatever the Windows code page), the installed plugin and its
  //    config as the plugin reads it.
  morrowset::UseUtf8Console();
  Options options;
  if (const int code = ParseOptions(morrowset::Utf8Arguments(argc, argv), options)) return code;
  Run run;
  morrowset::ConfigReport report;
  if (const int code = FindInstall(options, run, report)) return code;

  // 2. The zone and the span, read in it.
  cctz::time_zone zone;
  if (ConfigTimeZone && TimeZones::Load(ConfigTimeZone->Name(), zone)) run.zone = zone;
  const LocalCalendar calendar(run.zone);
  if (const int code = ReadSpan(options, calendar, run)) return code;
  if (!WallClock::Available()) {
    std::cerr << "morrowset-preview: the clock cannot be simulated on this platform\n";
    return 1;
  }

  // 3. The plugin, a copy of it in a folder of our own, on the stand-in, its clock at the start.
  WallClock::Set(run.from, false);  // first: the game's day cycle starts where the host is reset
  DevHost::Reset();
  DevHost::SetDayLength(options.dayLength);
  if (run.zone)
    DevHost::SetTimeFormatter([&calendar](Time t, const char* format) { return calendar.Format(t, format); });
  const std::vector<std::string> header = Header(options, run, report, calendar);
  const ScratchFolder scratch;
  DayRecorder record(calendar, run.from, DevHost::ReplicatedDay());
  Forecast timeline(std::cout);
  DevHost::SetListener([&](const DevHost::Event& event) {
    if (options.timeline)
      timeline.OnEvent(event);
    else
      record.OnEvent(event);
  });
  if (const std::string failed = LoadPluginCopy(run, scratch.EightBitName()); !failed.empty()) {
    std::cerr << "morrowset-preview: " << failed << "\n";
    return 1;
  }

  // 4. The coming days, as fast as they run.
  for (const std::string& line : header) std::cout << line << "\n";
  const int code = RunSpan(options, run, calendar, record, timeline);
  DevHost::SetListener(nullptr);
  DevHost::UnloadAllPlugins();
  WallClock::UseRealTime();

  // 5. The page, where the admin asked for it.
  if (!options.html.empty() && !WritePage(options.html, header, record, calendar)) return 1;
  return code;
}

}  // namespace

int main(int argc, char** argv) { return morrowset::RunGuarded("morrowset-preview", Main, argc, argv); }
