// The preview as a calendar page: one self-contained HTML file, inline CSS and SVG, no script.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "DaySummary.h"

// Writes the page: the header lines, a legend, and a month-style calendar of the dates, one row
// per week (Monday first), each date with the day at its end, the days seen, a strip of who held
// the day over its hours, and its notes.
void WriteCalendarPage(std::ostream& out, const std::vector<std::string>& header, const DayRecorder& record,
                       const LocalCalendar& calendar);
