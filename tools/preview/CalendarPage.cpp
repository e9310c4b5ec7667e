// Writes the preview's calendar page.
#include "CalendarPage.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "day/PolicyTable.h"

namespace {

// Each policy's colour on the strips and in the legend, in the rows' order of kDayPolicies.
constexpr const char* kPolicyFills[] = {"#2f6db5", "#2e9c5a", "#c8452f", "#8a55c2"};
static_assert(std::size(kPolicyFills) == kPolicyCount, "each policy has its colour");

// Returns the colour of a writer: the game's first day, a policy, the game's dawn, a manual set;
// any other source grey.
const char* FillOf(const Writers& writers, int writer) {
  if (writer == Writers::kStart) return "#c9ccd1";
  if (writers.IsPolicy(writer)) return kPolicyFills[writer - 1];
  const std::string& name = writers.Name(writer);
  if (name == "dawn") return "#e2a11b";
  if (name == "console" || name == "rcon") return "#111827";
  return "#7b8190";
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
.header{background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:12px 16px;margin-bottom:14px}
.header pre{margin:0;font:12px/1.45 ui-monospace,Consolas,monospace;white-space:pre-wrap}
.legend{display:flex;flex-wrap:wrap;gap:14px;margin:0 0 12px;font-size:13px}
.legend span{display:inline-flex;align-items:center;gap:6px}
.legend i{display:inline-block;width:14px;height:14px;border-radius:3px}
.legend .mark{border:2px solid #d97706;background:#fff}
.legend .fightmark{border:2px dashed #c8452f;background:#fff}
table{border-collapse:separate;border-spacing:6px;width:100%;table-layout:fixed}
th{font-size:12px;font-weight:600;color:#5b6270;text-align:left;padding:0 6px}
td{vertical-align:top;background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:6px 8px;height:118px;break-inside:avoid}
td.empty{background:transparent;border:none}
td.dst{border:2px solid #d97706}
td.fight{outline:2px dashed #c8452f;outline-offset:-5px}
.top{display:flex;justify-content:space-between;font-size:12px;color:#5b6270}
.top b{color:#1f2430}
.end{font-size:34px;font-weight:700;line-height:1.1;margin:2px 0}
.seen{font-size:12px;color:#3d4452;min-height:16px;overflow:hidden;white-space:nowrap;text-overflow:ellipsis}
svg.strip{display:block;width:100%;height:12px;margin:4px 0 2px;border-radius:3px;background:#eef0f3}
.hours{display:flex;justify-content:space-between;font-size:9px;color:#8a909c}
.notes{font-size:11px;color:#9a3412;margin-top:2px}
footer{font-size:12px;color:#5b6270;margin-top:10px}
@media print{body{margin:8mm;background:#fff}td{height:100px}.header{border:none;padding:0}
 *{-webkit-print-color-adjust:exact;print-color-adjust:exact}}
@page{size:A4 landscape;margin:8mm}
)";

void Cell(std::ostream& out, const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string classes;
  if (d.OddHours()) classes += " dst";
  if (d.overwrites > 1) classes += " fight";
  out << "<td class=\"day" << classes << "\" data-date=\"" << DateText(d.date) << "\" data-end-day=\""
      << d.endDay << "\">";
  out << "<div class=\"top\"><b>" << d.date.day()
      << (d.date.day() == 1 ? calendar.Format(d.start, " %b") : "") << "</b><span>" << WeekdayText(d.date)
      << "</span></div>";
  out << "<div class=\"end\" title=\"the day players see at the end of the date\">" << d.endDay << "</div>";
  std::string seen = "seen:";
  for (const int32_t day : d.daysSeen) seen += " " + std::to_string(day);
  if (d.moreDays) seen += " ...";
  if (d.changeCount > 0)
    seen += " (" + std::to_string(d.changeCount) + (d.changeCount == 1 ? " change)" : " changes)");
  out << "<div class=\"seen\" title=\"" << Escaped(seen) << "\">" << Escaped(seen) << "</div>";
  // The strip: who held the day players see, slot by slot over the date's own length, each
  // writer's share of a slot as a part of its height; alike slots side by side are one run.
  out << "<svg class=\"strip\" viewBox=\"0 0 " << DateSummary::kStripSlots << " " << DateSummary::kShares
      << "\" preserveAspectRatio=\"none\"><title>" << Escaped(ChangeList(d, writers, calendar)) << "</title>";
  for (int slot = 0; slot < DateSummary::kStripSlots;) {
    int until = slot + 1;
    while (until < DateSummary::kStripSlots && d.strip[until] == d.strip[slot]) ++until;
    int y = 0;
    for (int w = 0; w < writers.Count(); ++w) {
      if (d.strip[slot][w] == 0) continue;
      out << "<rect x=\"" << slot << "\" y=\"" << y << "\" width=\"" << until - slot << "\" height=\""
          << int{d.strip[slot][w]} << "\" fill=\"" << FillOf(writers, w) << "\"/>";
      y += d.strip[slot][w];
    }
    slot = until;
  }
  out << "</svg><div "
         "class=\"hours\"><span>0</span><span>6</span><span>12</span><span>18</span><span>24</span></div>";
  std::string notes;
  if (const int hours = d.OddHours())
    notes += std::to_string(hours) + "-hour date (" + calendar.Format(d.start, "%Z") + " to " +
             calendar.Format(d.end - std::chrono::seconds(1), "%Z") + ")";
  if (d.overwrites > 1) notes += std::string(notes.empty() ? "" : "; ") + FightText(d, writers);
  if (!notes.empty()) out << "<div class=\"notes\">" << Escaped(notes) << "</div>";
  out << "</td>";
}

}  // namespace

void WriteCalendarPage(std::ostream& out, const std::vector<std::string>& header, const DayRecorder& record,
                       const LocalCalendar& calendar) {
  const Writers& writers = record.WriterNames();
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
         "<title>Morrowset preview</title><style>"
      << kStyle << "</style></head><body>\n<h1>Morrowset preview: the day players will see</h1>\n";
  out << "<div class=\"header\"><pre>";
  for (const std::string& line : header) out << Escaped(line) << "\n";
  out << "</pre></div>\n<div class=\"legend\">";
  for (int w = 0; w < writers.Count(); ++w) {
    if (w != Writers::kStart && record.Totals()[w] == 0) continue;
    out << "<span><i style=\"background:" << FillOf(writers, w) << "\"></i>"
        << (w == Writers::kStart ? "the game's day before any write" : Escaped(writers.Name(w))) << "</span>";
  }
  out << "<span><i class=\"mark\"></i>daylight saving: a 23- or 25-hour date</span>"
         "<span><i class=\"fightmark\"></i>policies overwrite each other</span></div>\n";
  out << "<table><thead><tr>";
  for (const char* day : {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}) out << "<th>" << day << "</th>";
  out << "</tr></thead><tbody>\n";
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
  out << "</tbody></table>\n<footer>Made by morrowset-preview, which ran the installed plugin itself on a "
         "simulated "
         "clock. Hover a strip for the exact changes of its date.</footer>\n</body></html>\n";
}
