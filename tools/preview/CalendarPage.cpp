// Writes the preview's calendar page.
#include "CalendarPage.h"

#include <cstdio>
#include <iterator>

#include "WallClock.h"
#include "day/PolicyTable.h"

namespace {

// Each policy's colour on the lanes and in the legend, in the rows' order of kDayPolicies: the
// Okabe-Ito palette, which readers with any common colour-vision deficiency tell apart.
constexpr const char* kPolicyFills[] = {"#0072B2", "#D55E00", "#009E73", "#CC79A7"};
static_assert(std::size(kPolicyFills) == kPolicyCount, "each policy has its colour");

// Returns the colour of a writer: the game's first day, a policy, the game's dawn, a manual set;
// any other source grey.
const char* FillOf(const Writers& writers, int writer) {
  if (writer == Writers::kStart) return "#999999";
  if (writers.IsPolicy(writer)) return kPolicyFills[writer - 1];
  const std::string& name = writers.Name(writer);
  if (name == "dawn") return "#E69F00";
  if (name == "console" || name == "rcon") return "#000000";
  return "#56B4E9";
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

const char* kStyle = R"(
*{box-sizing:border-box}
body{font:14px/1.35 system-ui,-apple-system,"Segoe UI",Roboto,Helvetica,Arial,sans-serif;color:#1f2430;margin:24px;background:#f6f7f9}
h1{font-size:20px;margin:0 0 8px}
header{background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:12px 16px;margin-bottom:14px}
header pre{margin:0;font:12px/1.45 ui-monospace,Consolas,monospace;white-space:pre-wrap;overflow-wrap:anywhere}
.alert{margin:0 0 8px;padding:6px 10px;border:2px solid #b42318;border-radius:6px;color:#7a1a12;font-weight:600;white-space:pre-wrap}
.legend{display:flex;flex-wrap:wrap;gap:6px 16px;margin:0 0 12px;padding:0;list-style:none;font-size:13px}
.legend li{display:inline-flex;align-items:center;gap:6px}
.legend i{display:inline-block;width:22px;height:10px;border-radius:2px}
table{border-collapse:separate;border-spacing:6px;width:100%;table-layout:fixed}
th{font-size:12px;font-weight:600;color:#3d4452;text-align:left;padding:0 6px}
.pagehead{display:none}
td{vertical-align:top;background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:6px 8px;break-inside:avoid;overflow-wrap:anywhere}
td.empty{background:transparent;border:none}
td.dst{border:2px solid #8a4b00}
td.fight{outline:2px dashed #7a1a12;outline-offset:-5px}
.top{display:flex;justify-content:space-between;flex-wrap:wrap;gap:0 4px;font-size:12px;color:#3d4452}
.top b{color:#1f2430}
.badge{display:inline-block;font-size:10px;font-weight:700;border:1px solid currentColor;border-radius:3px;padding:0 3px;margin-right:3px}
.badge.dst{color:#8a4b00}
.badge.fight{color:#7a1a12}
.end{font-size:30px;font-weight:700;line-height:1.1;margin:2px 0}
.end small{font-size:12px;font-weight:600;color:#3d4452}
.part,.seen{font-size:12px;color:#3d4452}
svg.lanes{display:block;width:100%;margin:4px 0 2px;background:#eef0f3}
.hours{display:flex;justify-content:space-between;font-size:10px;color:#3d4452}
.notes{font-size:11px;color:#3d4452;margin-top:2px}
tfoot td{background:transparent;border:none;font-size:12px;color:#3d4452;padding:4px 0}
.sr{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
@media print{
 body{margin:0;background:#fff;font-size:10px}
 header{border:none;padding:0;margin-bottom:4px}
 h1{font-size:13px;margin:0 0 2px}
 header pre{font-size:7px;line-height:1.2;columns:2;column-gap:16px}
 .legend{font-size:9px;margin-bottom:2px}
 table{border-spacing:3px}
 .pagehead{display:table-cell;font-size:10px;color:#1f2430}
 td{padding:2px 4px}
 .end{font-size:14px;margin:0}
 .badge{font-size:7px}
 svg.lanes{margin:2px 0 1px}
 .part,.seen,.top,.notes,.hours,tfoot td{font-size:7px;line-height:1.2}
 *{-webkit-print-color-adjust:exact;print-color-adjust:exact}}
@page{size:A4 landscape;margin:8mm}
)";

// Returns an SVG path of the slots where a writer held the day, alike neighbours as one run.
std::string LanePath(const DateSummary& d, int writer, int lane) {
  std::string path;
  for (int slot = 0; slot < DateSummary::kStripSlots;) {
    if (!(d.holders[slot] >> writer & 1)) {
      ++slot;
      continue;
    }
    int until = slot + 1;
    while (until < DateSummary::kStripSlots && (d.holders[until] >> writer & 1)) ++until;
    path += "M" + std::to_string(slot) + " " + std::to_string(lane * 3) + "h" + std::to_string(until - slot) +
            "v2h-" + std::to_string(until - slot) + "z";
    slot = until;
  }
  return path;
}

std::string WriterNames(unsigned seen, const Writers& writers) {
  std::string names;
  for (int w = 0; w < writers.Count(); ++w)
    if (seen >> w & 1) names += (names.empty() ? "" : " ") + writers.Name(w);
  return names;
}

void Cell(std::ostream& out, const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string classes;
  if (d.OddLength()) classes += " dst";
  if (d.overwrites > 1) classes += " fight";
  const unsigned seen = d.Seen();
  out << "<td class=\"day" << classes << "\" data-date=\"" << DateText(d.date) << "\" data-most-seen=\""
      << d.mostSeen.day << "\" data-end-day=\"" << d.endDay << "\" data-writers=\""
      << WriterNames(seen, writers) << "\">";
  char date[32];
  std::snprintf(date, sizeof date, "%d %s %04d", d.date.day(), calendar.Format(d.start, "%b").c_str(),
                static_cast<int>(d.date.year()));
  out << "<div class=\"top\"><b>" << date << "</b><span>" << WeekdayText(d.date) << "</span></div>";
  if (d.OddLength() || d.overwrites > 1) {
    out << "<div>";
    if (d.OddLength())
      out << "<span class=\"badge dst\">" << (d.LengthMinutes() == 0 ? "skipped" : "DST") << "</span>";
    if (d.overwrites > 1) out << "<span class=\"badge fight\">fight</span>";
    out << "</div>";
  }
  out << "<div class=\"end\"><span class=\"sr\">the day players saw most: </span>" << d.mostSeen.day
      << " <small>" << Percent(d.ShareOf(d.mostSeen))
      << "</small></div><div class=\"part\">at the end: " << d.endDay << "</div>";
  if (d.Partial() && d.LengthMinutes() > 0) {
    out << "<div class=\"part\">";
    if (d.shownFrom != d.start) out << "from " << calendar.Format(d.shownFrom, "%H:%M %Z") << " ";
    if (d.shownTo != d.end) out << "to " << calendar.Format(d.shownTo, "%H:%M %Z");
    out << "</div>";
  }
  std::string days = "seen:";
  for (const int32_t day : d.daysSeen) days += " " + std::to_string(day);
  if (d.moreDays) days += " ...";
  if (d.changeCount > 0)
    days += " (" + std::to_string(d.changeCount) + (d.changeCount == 1 ? " change)" : " changes)");
  out << "<div class=\"seen\">" << Escaped(days) << "</div>";
  // The lanes: one per writer whose value players saw, in the legend's order, marking the slots
  // (quarters of the date's own length) in which it held the day for any time at all.
  int lanes = 0;
  for (int w = 0; w < writers.Count(); ++w) lanes += seen >> w & 1;
  if (lanes > 0) {
    out << "<svg class=\"lanes\" viewBox=\"0 0 " << DateSummary::kStripSlots << " " << lanes * 3 - 1
        << "\" preserveAspectRatio=\"none\" style=\"height:" << lanes * 5 << "px\" role=\"img\" aria-label=\""
        << "who held the day, by the hour: " << WriterNames(seen, writers) << "\"><title>"
        << Escaped(ChangeList(d, writers, calendar)) << "</title>";
    int lane = 0;
    for (int w = 0; w < writers.Count(); ++w)
      if (seen >> w & 1)
        out << "<path fill=\"" << FillOf(writers, w) << "\" d=\"" << LanePath(d, w, lane++) << "\"/>";
    out << "</svg><div class=\"hours\" "
           "aria-hidden=\"true\"><span>0</span><span>6</span><span>12</span><span>18</span>"
           "<span>24</span></div>";
  }
  std::string notes = LengthText(d, calendar);
  if (d.overwrites > 1) notes += std::string(notes.empty() ? "" : "; ") + FightText(d, writers);
  if (d.dawnsBetweenWrites > 0) notes += std::string(notes.empty() ? "" : "; ") + DawnText(d);
  if (d.longestHold.count() >= 0)
    notes += std::string(notes.empty() ? "" : "; ") + "a day.set holds " +
             WallClock::DurationText(d.longestHold) + " at most";
  if (!notes.empty()) out << "<div class=\"notes\">" << Escaped(notes) << "</div>";
  out << "</td>";
}

// Writes the page's head and the opening of its header, up to its heading and the time of writing.
void PageHead(std::ostream& out, const std::string& title, const char* heading, const std::string& written) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
      << "<title>" << Escaped(title) << "</title><style>" << kStyle << "</style></head><body>\n<header><h1>"
      << heading << "</h1>\n<p class=\"written\">" << Escaped(written) << "</p>\n";
}

}  // namespace

void WriteFailurePage(std::ostream& out, const std::string& why, const std::string& written) {
  PageHead(out, "Morrowset preview: not run", "Morrowset preview: the preview did not run", written);
  out << "<p class=\"alert\" role=\"alert\">This run stopped before the coming days, so no calendar is "
         "shown. "
         "It said:</p>\n<pre>"
      << Escaped(why) << "</pre></header>\n</body></html>\n";
}

void WriteCalendarPage(std::ostream& out, const std::string& title, const std::vector<std::string>& header,
                       std::size_t alerts, const DayRecorder& record, const LocalCalendar& calendar,
                       const std::string& written) {
  const Writers& writers = record.WriterNames();
  PageHead(out, title, "Morrowset preview: the day players will see", written);
  std::string text;
  for (std::size_t i = 0; i < header.size(); ++i)
    if (i < alerts)
      out << "<p class=\"alert\" role=\"alert\">" << Escaped(header[i]) << "</p>\n";
    else
      text += Escaped(header[i]) + "\n";
  out << "<pre>" << text
      << "</pre></header>\n<main>\n<ul class=\"legend\" aria-label=\"writers\"><li><b>Writes:</b></li>";
  for (int w = 0; w < writers.Count(); ++w) {
    const std::string summary = WriterText(record, w);
    if (summary.empty() && w != Writers::kStart) continue;
    out << "<li><i style=\"background:" << FillOf(writers, w) << "\"></i>"
        << (w == Writers::kStart ? "start: the game's day before any write" : Escaped(summary)) << "</li>";
  }
  out << "<li><span class=\"badge dst\">DST</span> a date of another length than 24 hours</li>"
         "<li><span class=\"badge fight\">fight</span> policies overwrite each other</li></ul>\n";
  out << "<table><thead><tr><th class=\"pagehead\" colspan=\"7\">" << Escaped(title) << "</th></tr><tr>";
  for (const char* day : {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"})
    out << "<th scope=\"col\">" << day << "</th>";
  out << "</tr></thead>\n<tfoot><tr><td colspan=\"7\">" << Escaped(title)
      << ". Writes: " << Escaped(WritesText(record)) << "; day at the end: " << record.EndDay()
      << ". Made by morrowset-preview, which ran the installed plugin itself on a simulated clock; hover a "
         "date's "
         "lanes for its exact changes.</td></tr></tfoot>\n<tbody>\n";
  const auto& dates = record.Dates();
  for (std::size_t i = 0; i < dates.size();) {
    out << "<tr>";
    for (int c = 0; c < 7; ++c) {  // Monday first; dates follow each other, so a row holds a week
      if (i >= dates.size() || static_cast<int>(cctz::get_weekday(dates[i].date)) != c) {
        out << "<td class=\"empty\"></td>";
        continue;
      }
      Cell(out, dates[i++], writers, calendar);
    }
    out << "</tr>\n";
  }
  out << "</tbody></table>\n</main>\n</body></html>\n";
}
