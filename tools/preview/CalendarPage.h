// The preview as a calendar page: one self-contained HTML file, inline CSS and SVG, no script.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "DaySummary.h"

// Writes the page: its title ("Morrowset preview: ...", as PageFile knows its pages; on every
// printed sheet), the header lines (the first alerts of
// them shown as alerts), a legend, and a month-style calendar of the dates, one row per week
// (Monday first), each date with the day at its end, the days seen, a lane per writer of who held
// the day over its hours, and its notes.
// written says when and by which program the page was written.
void WriteCalendarPage(std::ostream& out, const std::string& title, const std::vector<std::string>& header,
                       std::size_t alerts, const DayRecorder& record, const LocalCalendar& calendar,
                       const std::string& written);

// Writes the page of a run that did not go through its days: why, in the words the program
// printed, and when, so that a page left open never shows a calendar for a config that would not
// load.
void WriteFailurePage(std::ostream& out, const std::string& why, const std::string& written);
