// Running the span on the plugin's copy.
#include "SpanRun.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "CommandLine.h"
#include "DevHost.h"
#include "GameClock.h"
#include "SeenDay.h"

namespace fs = std::filesystem;

namespace {

// Moves the clock over the span unless an interruption comes; returns whether it ran to the end.
bool Advance(GameClock& clock, std::chrono::seconds span) {
  std::chrono::nanoseconds left = span;
  while (left.count() > 0 && !Interruption::Interrupted())
    left = clock.Advance(left, std::chrono::milliseconds(50));
  return left.count() == 0;
}

}  // namespace

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
  setup.calendar = &calendar;
  return setup;
}
