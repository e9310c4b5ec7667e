// The preview's answer as JSON, each value beside the text line that says it.
#include "PreviewJson.h"

#include "WallClock.h"

using nlohmann::json;

namespace {

// Returns milliseconds as seconds.
double Seconds(std::chrono::milliseconds held) { return static_cast<double>(held.count()) / 1000; }

// Returns one date: its text line, and the same facts one by one.
json DateJson(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  json writes = json::object();
  for (int w = 0; w < writers.Count(); ++w)
    if (d.writes[w] > 0) writes[writers.Name(w)] = d.writes[w];
  json shares = json::array();
  for (const DateSummary::Share& share : d.shares)
    shares.push_back({{"day", share.day}, {"seconds", Seconds(share.held)}});
  return {
      {"date", DateText(d.date)},
      {"weekday", WeekdayText(d.date)},
      {"line", SummaryLine(d, writers, calendar)},
      {"partial", d.Partial()},
      {"from", d.shownFrom != d.start ? json(calendar.Format(d.shownFrom, "%H:%M:%S")) : json(nullptr)},
      {"to", d.shownTo != d.end ? json(calendar.Format(d.shownTo, "%H:%M:%S")) : json(nullptr)},
      {"lengthMinutes", d.LengthMinutes()},
      {"daylightSaving", d.OddLength() ? json(LengthText(d, calendar)) : json(nullptr)},
      {"daysSeen", d.daysSeen},
      {"moreDaysSeen", d.moreDays},
      {"changes", d.changeCount},
      {"writes", writes},
      {"fight", d.overwrites > 1 ? json(FightText(d, writers)) : json(nullptr)},
      {"longestDaySetHoldSeconds", d.longestHold.count() >= 0 ? json(d.longestHold.count()) : json(nullptr)},
      {"dayAtTheEnd", d.endDay},
      {"mostSeen", {{"day", d.mostSeen.day}, {"share", d.ShareOf(d.mostSeen)}}},
      {"shares", shares},
      {"flickers", {{"days", d.flickers}, {"seconds", Seconds(d.flickerTime)}}},
      {"dayCycle", d.dawnsBetweenWrites > 0 ? json(DawnText(d)) : json(nullptr)}};
}

}  // namespace

json PreviewJson(const PreviewFacts& facts, const DayRecorder& record, const LocalCalendar& calendar) {
  json dates = json::array();
  for (const DateSummary& date : record.Dates())
    dates.push_back(DateJson(date, record.WriterNames(), calendar));
  json writes = json::array();
  for (int w = 0; w < record.WriterNames().Count(); ++w)
    if (const std::string text = WriterText(record, w); !text.empty())
      writes.push_back(
          {{"writer", record.WriterNames().Name(w)}, {"writes", record.Totals()[w]}, {"text", text}});
  return {{"plugin", {{"path", facts.plugin}, {"build", facts.build}}},
          {"config", facts.config},
          {"framework", facts.framework},
          {"zone", {{"name", calendar.Name()}, {"text", calendar.Describe()}}},
          {"span", {{"from", facts.from}, {"to", facts.to}, {"seconds", facts.seconds}}},
          {"timerRoundSeconds", facts.roundSeconds},
          {"dayLengthSeconds", facts.dayLengthSeconds},
          {"dayLengthGiven", facts.dayLengthGiven},
          {"startDay", facts.startDay},
          {"startDayKnown", facts.startDayKnown},
          {"header", facts.headerLines},
          {"dates", dates},
          {"writes", writes},
          {"dayAtTheEnd", record.EndDay()},
          {"faults", record.Faults()}};
}

json PreviewSchemaParts() {
  const std::string date = "/$defs/date/properties/";
  return {{date + "daysSeen/maxItems", DateSummary::kKeptDays},
          {date + "shares/maxItems", DateSummary::kKeptDays},
          {date + "shares/items/properties/seconds/minimum", DateSummary::kFlicker.count()}};
}
