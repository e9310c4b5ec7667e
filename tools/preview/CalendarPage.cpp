// Writes the preview's calendar page.
#include "CalendarPage.h"

#include <cstdio>
#include <map>

#include "Duration.h"
#include "PageStyle.h"
#include "PolicyWords.h"
#include "WallClock.h"

namespace {

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

// Returns an SVG path of the slots where a writer held the day, alike neighbours as one run.
std::string LanePath(const DateSummary& d, int writer) {
  std::string path;
  for (int slot = 0; slot < DateSummary::kStripSlots;) {
    if (!(d.holders[slot] >> writer & 1)) {
      ++slot;
      continue;
    }
    int until = slot + 1;
    while (until < DateSummary::kStripSlots && (d.holders[until] >> writer & 1)) ++until;
    path += "M" + std::to_string(slot) + " 0h" + std::to_string(until - slot) + "v2h-" +
            std::to_string(until - slot) + "z";
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

// Writes the lanes of a date: one per writer seen anywhere in the span, in the legend's order and
// the same in every cell, each labelled, marking the slots (quarters of the date's own length) in
// which that writer held the day for any time at all.
void Lanes(std::ostream& out, const DateSummary& d, const Writers& writers, unsigned lanes) {
  out << "<div class=\"lanes\" role=\"img\" aria-label=\"who held the day, by the hour: "
      << WriterNames(d.Seen(), writers) << "\">";
  for (int w = 0; w < writers.Count(); ++w)
    if (lanes >> w & 1)
      out << "<div class=\"lane\"><span>" << ShortName(writers, w) << "</span><svg viewBox=\"0 0 "
          << DateSummary::kStripSlots
          << " 2\" preserveAspectRatio=\"none\" aria-hidden=\"true\"><path fill=\"" << FillOf(writers, w)
          << "\" d=\"" << LanePath(d, w) << "\"/></svg></div>";
  out << "</div><div class=\"hours\" aria-hidden=\"true\"><span>0</span><span>6</span><span>12</span>"
         "<span>18</span><span>24</span></div>";
}

// Writes the date's notes: its length, fights, the game's day cycle, how long a day.set holds.
void Notes(std::ostream& out, const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string notes = LengthText(d, calendar);
  const auto add = [&notes](const std::string& note) { notes += (notes.empty() ? "" : "; ") + note; };
  if (d.overwrites > 1) add(FightText(d, writers));
  if (d.dawnsBetweenWrites > 0) add(DawnText(d));
  if (d.longestHold.count() >= 0) add("a day.set holds " + cli::DurationText(d.longestHold) + " at most");
  if (notes.empty()) return;
  out << "<div class=\"notes\">" << Escaped(notes) << "</div>";
  // The same for paper, where a cell is a seventh of a sheet: the page's summary and legend say
  // what each mark means.
  std::string brief;
  const auto mark = [&brief](const std::string& note) { brief += (brief.empty() ? "" : "; ") + note; };
  if (d.OddLength()) mark(d.LengthMinutes() == 0 ? "skipped" : d.LengthHours() + " h");
  if (d.overwrites > 1) mark("fight " + std::to_string(d.overwrites) + "x");
  if (d.dawnsBetweenWrites > 0) mark("dawn moves it " + std::to_string(d.dawnsBetweenWrites) + "x");
  if (d.longestHold.count() >= 0) mark("day.set &le; " + cli::DurationText(d.longestHold));
  out << "<div class=\"brief\" aria-hidden=\"true\">" << brief << "</div>";
}

void Cell(std::ostream& out, const DateSummary& d, const Writers& writers, const LocalCalendar& calendar,
          unsigned lanes) {
  std::string classes;
  if (d.OddLength()) classes += " dst";
  if (d.overwrites > 1) classes += " fight";
  out << "<td class=\"day" << classes << "\" data-date=\"" << DateText(d.date) << "\" data-most-seen=\""
      << d.mostSeen.day << "\" data-end-day=\"" << d.endDay << "\" data-writers=\""
      << WriterNames(d.Seen(), writers) << "\">";
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
  const std::string most = std::to_string(d.mostSeen.day);
  out << "<div class=\"end" << (most.size() > 6 ? " long" : "")
      << "\"><span class=\"sr\">the day players saw most: </span>"
      << "<span>" << most << "</span> <small>" << Percent(d.ShareOf(d.mostSeen))
      << "</small></div><div class=\"part\">at the end: <span>" << d.endDay << "</span>";
  if (d.Partial() && d.LengthMinutes() > 0) {
    if (d.shownFrom != d.start)
      out << "; from <span>" << calendar.Format(d.shownFrom, "%H:%M %Z") << "</span>";
    if (d.shownTo != d.end) out << "; to <span>" << calendar.Format(d.shownTo, "%H:%M %Z") << "</span>";
  }
  out << "</div><div class=\"seen\">seen:";
  for (const int32_t day : d.daysSeen) out << " <span>" << day << "</span>";
  if (d.moreDays) out << " ...";
  out << "</div>";
  if (lanes != 0 && d.LengthMinutes() > 0) Lanes(out, d, writers, lanes);
  Notes(out, d, writers, calendar);
  if (d.changeCount > 0)
    out << "<details class=\"changes\"><summary>" << d.changeCount
        << (d.changeCount == 1 ? " change" : " changes") << "<span class=\"sr\"> on " << DateText(d.date)
        << "</span></summary><pre>" << Escaped(ChangeList(d, writers, calendar)) << "</pre></details>";
  out << "</td>";
}

// Writes the page's head and the opening of its header, up to its heading and the time of writing.
void PageHead(std::ostream& out, const std::string& title, const char* heading, const std::string& written) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
      << "<title>" << Escaped(title) << "</title><style>" << kPageStyle
      << "</style></head><body>\n<header><h1>" << heading << "</h1>\n<p class=\"written\">"
      << Escaped(written) << "</p>\n";
}

// Returns when a date's clocks change, "CET to CEST at 03:00 CEST": the first minute of the new time.
std::string ClockChange(const DateSummary& d, const LocalCalendar& calendar) {
  const std::string first = calendar.Format(d.start, "%Z");
  for (Time t = d.start; t < d.end; t += std::chrono::minutes(1))
    if (const std::string now = calendar.Format(t, "%Z"); now != first)
      return first + " to " + now + " at " + calendar.Format(t, "%H:%M %Z");
  return LengthText(d, calendar);  // a change that keeps the abbreviation
}

// Writes what the span comes to, above its dates: the policies, the day players see most, the
// dates of fights and of clock changes.
void Summary(std::ostream& out, const DayRecorder& record, const LocalCalendar& calendar) {
  std::map<int32_t, std::chrono::milliseconds> seen;
  std::vector<std::string> fights, changes;
  std::chrono::milliseconds span{0};
  for (const DateSummary& d : record.Dates()) {
    seen[d.mostSeen.day] += d.mostSeen.held;
    for (const DateSummary::Share& share : d.shares)
      if (share.day != d.mostSeen.day) seen[share.day] += share.held;
    span += std::chrono::duration_cast<std::chrono::milliseconds>(d.shownTo - d.shownFrom);
    if (d.overwrites > 1) fights.push_back(DateText(d.date));
    if (d.OddLength() && d.LengthMinutes() > 0)
      changes.push_back(DateText(d.date) + ": " + ClockChange(d, calendar));
  }
  DateSummary::Share most;
  for (const auto& [day, held] : seen)
    if (held > most.held) most = {day, held};
  out << "<ul class=\"summary\"><li>" << (record.PoliciesOn().empty() ? morrowset::NoPolicyLine() : "");
  for (std::size_t i = 0; i < record.PoliciesOn().size(); ++i)
    out << (i == 0 ? "policies on: " : ", ") << record.PoliciesOn()[i];
  out << "</li><li>players see day " << most.day << " most, "
      << Percent(span.count() > 0 ? static_cast<double>(most.held.count()) / span.count() : 0)
      << " of the span; day " << record.EndDay() << " at its end</li>";
  if (!fights.empty())
    out << "<li>policies overwrite each other on " << fights.size()
        << (fights.size() == 1 ? " date" : " dates") << ", from " << fights.front() << "</li>";
  for (const std::string& change : changes) out << "<li>clocks change on " << Escaped(change) << "</li>";
  out << "</ul>\n";
}

// Returns the writers seen on any date of the span, a bit per writer: the lanes every cell shows.
unsigned SpanLanes(const DayRecorder& record) {
  unsigned lanes = 0;
  for (const DateSummary& d : record.Dates()) lanes |= d.Seen();
  return lanes;
}

// Writes the dates as a grid of weeks, Monday first; a span over a month gets a heading per month,
// each month after the first on a sheet of its own when printed.
void MonthGrid(std::ostream& out, const std::string& title, const DayRecorder& record,
               const LocalCalendar& calendar, unsigned lanes) {
  out << "<table><thead><tr><th class=\"pagehead\" colspan=\"7\">" << Escaped(title) << "</th></tr><tr>";
  for (const char* day : {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"})
    out << "<th scope=\"col\">" << day << "</th>";
  out << "</tr></thead>\n<tfoot><tr><td colspan=\"7\">" << Escaped(title)
      << ". Writes: " << Escaped(WritesText(record)) << "; day at the end: " << record.EndDay()
      << ". Made by morrowset-preview, which ran the installed plugin itself on a simulated clock; open a "
         "date's changes for their exact times.</td></tr></tfoot>\n<tbody>\n";
  const auto& dates = record.Dates();
  const bool months = !dates.empty() && dates.back().date - dates.front().date > 31;
  const auto newMonth = [&](std::size_t i) {
    return i > 0 && dates[i].date.month() != dates[i - 1].date.month();
  };
  for (std::size_t i = 0; i < dates.size();) {
    if (months && (i == 0 || newMonth(i)))
      out << "<tr><th class=\"month" << (i > 0 ? " next" : "") << "\" colspan=\"7\" scope=\"colgroup\">"
          << calendar.Format(dates[i].start, "%B %Y") << "</th></tr>\n";
    out << "<tr>";
    bool started = false;          // a row of the month it opened with: a new month opens a row of its own
    for (int c = 0; c < 7; ++c) {  // dates follow each other, so a row holds a week
      if (i >= dates.size() || (months && started && newMonth(i)) ||
          static_cast<int>(cctz::get_weekday(dates[i].date)) != c) {
        out << "<td class=\"empty\"></td>";
        continue;
      }
      Cell(out, dates[i++], record.WriterNames(), calendar, lanes);
      started = true;
    }
    out << "</tr>\n";
  }
  out << "</tbody></table>\n";
}

}  // namespace

void WriteFailurePage(std::ostream& out, const std::string& why, const std::string& written) {
  PageHead(out, "Morrowset preview: not run", "Morrowset preview: the preview did not run", written);
  out << "</header>\n<main><p class=\"alert\" role=\"alert\">This run stopped before the coming days, so no "
         "calendar is shown. It said:</p>\n<pre>"
      << Escaped(why) << "</pre></main>\n</body></html>\n";
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
  Summary(out, record, calendar);
  out << "<details><summary>The plugin, its config, the zone and the span</summary><pre>" << text
      << "</pre></details></header>\n<main>\n<ul class=\"legend\" "
         "aria-label=\"writers\"><li><b>Writes:</b></li>";
  for (int w = 0; w < writers.Count(); ++w) {
    const std::string summary = WriterText(record, w);
    if (summary.empty() && w != Writers::kStart) continue;
    out << "<li><i style=\"background:" << FillOf(writers, w) << "\"></i>" << ShortName(writers, w) << ": "
        << (w == Writers::kStart ? "the game's day before any write" : Escaped(summary)) << "</li>";
  }
  out << "<li><span class=\"badge dst\">DST</span> a date of another length than 24 hours</li>"
         "<li><span class=\"badge fight\">fight</span> policies overwrite each other</li></ul>\n";
  MonthGrid(out, title, record, calendar, SpanLanes(record));
  out << "</main>\n</body></html>\n";
}
