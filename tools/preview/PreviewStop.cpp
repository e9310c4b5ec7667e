// How a preview run that ends before its days answers.
#include "PreviewStop.h"

#include <iostream>
#include <optional>

#include "CalendarPage.h"
#include "CommandLine.h"
#include "LocalCalendar.h"
#include "PageFile.h"
#include "ReportJson.h"
#include "Scratch.h"

namespace {

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

}  // namespace

std::string Written() {
  return "written " +
         LocalCalendar(std::nullopt).Format(std::chrono::system_clock::now(), "%Y-%m-%d %H:%M:%S %Z") +
         " by morrowset-preview " MORROWSET_VERSION;
}

int Stop(const Options& options, const std::string& line, const morrowset::ConfigReport* report,
         bool pageToo) {
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
