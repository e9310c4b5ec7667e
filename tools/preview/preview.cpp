// morrowset-preview: what players will see, date by date, with the installed plugin and config.
//
// It runs the plugin binary installed in a server folder, exactly as it is, with a copy of its
// config.json, on a stand-in of the framework that ships in stand-in/ beside this program and
// is loaded from there by full path (never the server's own framework), on a simulated clock
// that runs the coming days as fast as it can. It prints one line per local date (or the
// change-by-change timeline) and, when asked, writes the same as a calendar page. It writes
// nothing into the server folder and opens no network port.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CalendarPage.h"
#include "Install.h"
#include "PreviewStop.h"
#include "SpanRun.h"
#include "CommandLine.h"
#include "Control.h"
#include "DaySummary.h"
#include "DevHost.h"
#include "Diagnosis.h"
#include "LocalCalendar.h"
#include "PageFile.h"
#include "PluginFile.h"
#include "PreviewOptions.h"
#include "PreviewJson.h"
#include "ReportJson.h"
#include "Scratch.h"
#include "Simulation.h"
#include "WallClock.h"

namespace fs = std::filesystem;

namespace {

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
  if (const int code = ReadOptions(args, options); code >= 0) return code;

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
