// Aggregates the host's events per local date and words each date as one line.
#include "DaySummary.h"

#include <algorithm>
#include <cstdio>

#include "Duration.h"
#include "WallClock.h"
#include "config/Config.h"
#include "day/PolicyTable.h"

Writers::Writers() {
  names_.push_back("start");
  for (const DayPolicy& policy : kDayPolicies) names_.push_back(policy.timer);
  policies_ = static_cast<int>(names_.size()) - 1;
  names_.push_back("dawn");
  names_.push_back("console");
  names_.push_back("rcon");
}

int Writers::IndexOf(const std::string& source) {
  const auto found = std::find(names_.begin(), names_.end(), source);
  if (found != names_.end()) return static_cast<int>(found - names_.begin());
  if (Count() == kMost) return kMost - 1;  // a host that names more sources shares the last
  names_.push_back(source);
  return Count() - 1;
}

int Writers::Find(const std::string& source) const {
  const auto found = std::find(names_.begin(), names_.end(), source);
  return found == names_.end() ? -1 : static_cast<int>(found - names_.begin());
}

unsigned DateSummary::Seen() const {
  unsigned seen = 0;
  for (const uint16_t slot : holders) seen |= slot;
  return seen;
}

long long DateSummary::LengthMinutes() const {
  return std::chrono::duration_cast<std::chrono::minutes>(end - start).count();
}

std::string DateSummary::LengthHours() const {
  char hours[32];
  std::snprintf(hours, sizeof hours, "%g", static_cast<double>(LengthMinutes()) / 60);
  return hours;
}

DayRecorder::DayRecorder(const LocalCalendar& calendar, Time from, Time to, std::chrono::seconds round,
                         int32_t day, std::vector<std::string> policies)
    : calendar_(calendar),
      to_(to),
      round_(round),
      policies_(std::move(policies)),
      seen_(day),
      highest_(day),
      heldDay_(day),
      heldSince_(from),
      lastPolicyWrite_(from) {
  Open(calendar_.DateOf(from), from);
}

void DayRecorder::Open(const cctz::civil_day& date, Time from) {
  current_ = DateSummary();
  current_.date = date;
  current_.start = calendar_.StartOf(date);
  current_.end = calendar_.StartOf(date + 1);
  current_.shownFrom = from;
  current_.shownTo = current_.end;
  current_.startDay = seen_.Day();
  current_.daysSeen.push_back(seen_.Day());
  for (auto& slot : held_) slot.fill(0);
  dayTime_.clear();
  heldSince_ = from;
  policyWrote_ = false;
}

void DayRecorder::Hold(Time until) {
  const DateSummary& d = current_;
  const auto length = std::chrono::duration_cast<std::chrono::milliseconds>(d.end - d.start).count();
  auto at = std::chrono::duration_cast<std::chrono::milliseconds>(heldSince_ - d.start).count();
  const auto to = std::chrono::duration_cast<std::chrono::milliseconds>(until - d.start).count();
  while (at < to && length > 0) {
    const long long slot =
        std::min<long long>(at * DateSummary::kStripSlots / length, DateSummary::kStripSlots - 1);
    const long long slotEnd = (slot + 1) * length / DateSummary::kStripSlots;
    const long long upTo = std::min<long long>(to, std::max<long long>(slotEnd, at + 1));
    held_[slot][holder_] += upTo - at;
    at = upTo;
  }
  dayTime_[heldDay_] += std::chrono::duration_cast<std::chrono::milliseconds>(until - heldSince_);
  heldSince_ = until;
}

void DayRecorder::Close(Time to) {
  Hold(to);
  DateSummary& d = current_;
  d.shownTo = to;
  d.endDay = seen_.Day();
  if (policyWrote_)
    d.longestHold =
        std::max(d.longestHold,
                 std::chrono::duration_cast<std::chrono::seconds>(to - std::max(lastPolicyWrite_, d.start)));
  if (to == d.end && d.changeCount > 0 && d.last.at >= d.end - round_)
    shortEnd_ = {dates_.size(), d.last.at, beforeLast_, true};
  for (int slot = 0; slot < DateSummary::kStripSlots; ++slot)
    for (int w = 0; w < Writers::kMost; ++w)
      if (held_[slot][w] > 0) d.holders[slot] |= static_cast<uint16_t>(1u << w);
  Share(d);
  dates_.push_back(std::move(d));
}

void DayRecorder::Share(DateSummary& d) const {
  for (const auto& [day, held] : dayTime_) {
    if (held > d.mostSeen.held) d.mostSeen = {day, held};
    if (held >= DateSummary::kFlicker) {
      d.shares.push_back({day, held});
    } else if (held.count() > 0) {
      ++d.flickers;
      d.flickerTime += held;
    }
  }
  std::stable_sort(d.shares.begin(), d.shares.end(),
                   [](const DateSummary::Share& a, const DateSummary::Share& b) { return a.held > b.held; });
  if (d.shares.size() > DateSummary::kKeptDays) d.shares.resize(DateSummary::kKeptDays);
}

double DateSummary::ShareOf(const Share& share) const {
  const auto span = std::chrono::duration_cast<std::chrono::milliseconds>(shownTo - shownFrom);
  return span.count() > 0 ? static_cast<double>(share.held.count()) / static_cast<double>(span.count()) : 0;
}

void DayRecorder::CloseUntil(Time t) {
  while (t >= current_.end) {
    const Time next = current_.end;
    Close(next);
    Open(current_.date + 1, next);
  }
}

void DayRecorder::SettleShortEnd(Time change) {
  if (!shortEnd_.open) return;
  if (change <= shortEnd_.at + round_) dates_[shortEnd_.date].endDay = shortEnd_.before;
  shortEnd_.open = false;
}

void DayRecorder::OnEvent(const DevHost::Event& event) {
  if (SeenDay::Concerns(event)) {
    if (event.at >= to_) return;
    CloseUntil(event.at);  // the dates that end before it close on the day players saw until then
  }
  const int32_t before = seen_.Day();
  const SeenDay::Seen seen = seen_.Take(event);
  if (!seen.write && !seen.shown) return;
  DateSummary& d = current_;
  const int writer = writers_.IndexOf(event.source);
  if (seen.write) {
    ++d.writes[writer];
    ++totals_[writer];
    // resetdays leaves a day below its limit as it is: only the other policies overwrite any day.
    if (writers_.IsPolicy(writer) && event.source != kDayPolicies[kResetDays].timer) {
      // A manual day would hold until this write: the longest such wait of the date.
      d.longestHold = std::max(d.longestHold, std::chrono::duration_cast<std::chrono::seconds>(
                                                  event.at - std::max(lastPolicyWrite_, d.start)));
      lastPolicyWrite_ = event.at;
      policyWrote_ = true;
    }
  }
  // A writer that rewrites the day players see holds it from then on, without a change.
  if (!seen.shown) return;
  Hold(event.at);
  if (!seen.changed) {
    holder_ = writer;
    return;
  }
  SettleShortEnd(event.at);
  // The new value is seen, if only for an instant, in the slot of its change.
  const auto length = (d.end - d.start).count();
  if (length > 0)
    d.holders[std::min<long long>((event.at - d.start).count() * DateSummary::kStripSlots / length,
                                  DateSummary::kStripSlots - 1)] |= static_cast<uint16_t>(1u << writer);
  beforeLast_ = before;
  highest_ = std::max(highest_, event.day);
  if (event.kind == DevHost::Event::Kind::Dawn && writers_.IsPolicy(lastChanger_)) ++d.dawnsBetweenWrites;
  holder_ = writer;
  heldDay_ = event.day;
  const DateSummary::Change change{event.at, writer, event.day};
  if (d.changes.size() < DateSummary::kKeptChanges) d.changes.push_back(change);
  d.last = change;
  ++d.changeCount;
  if (std::find(d.daysSeen.begin(), d.daysSeen.end(), event.day) == d.daysSeen.end()) {
    if (d.daysSeen.size() < DateSummary::kKeptDays)
      d.daysSeen.push_back(event.day);
    else
      d.moreDays = true;
  }
  if (writers_.IsPolicy(writer) && writers_.IsPolicy(lastChanger_) && lastChanger_ != writer) {
    ++d.overwrites;
    d.fighters |= 1u << lastChanger_ | 1u << writer;
  }
  lastChanger_ = writer;
}

void DayRecorder::Finish() {
  CloseUntil(to_);
  if (to_ > current_.shownFrom || dates_.empty()) Close(to_);
}

namespace {

// Returns "7 at 00:00:01 forceweekday"; the page's lists add the zone, which tells a repeated
// hour's two halves apart.
std::string ChangeText(const DateSummary::Change& change, const Writers& writers,
                       const LocalCalendar& calendar, const char* format = "%H:%M:%S") {
  return std::to_string(change.day) + " at " + calendar.Format(change.at, format) + " " +
         writers.Name(change.writer);
}

// The days players see during the date, with the changes that matter: all of a few, the first
// and the last of many.
std::string SeenText(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  if (d.changeCount == 0) return std::to_string(d.startDay) + (d.Partial() ? " throughout" : " all day");
  std::string text = std::to_string(d.startDay);
  if (d.changeCount <= 3) {
    for (const auto& change : d.changes) text += " -> " + ChangeText(change, writers, calendar);
    return text;
  }
  text += " -> " + ChangeText(d.changes.front(), writers, calendar) + " ... " +
          ChangeText(d.last, writers, calendar) + " (" + std::to_string(d.changeCount) + " changes; days";
  for (const int32_t day : d.daysSeen) text += " " + std::to_string(day);
  return text + (d.moreDays ? " and more)" : ")");
}

}  // namespace

std::string LengthText(const DateSummary& d, const LocalCalendar& calendar) {
  const long long minutes = d.LengthMinutes();
  if (minutes == 24 * 60) return "";
  if (minutes == 0) return "no such date here: the zone's clocks skip it";
  return d.LengthHours() + "-hour date (" + calendar.Format(d.start, "%Z") + " to " +
         calendar.Format(d.end - std::chrono::seconds(1), "%Z") + ")";
}

std::string Percent(double share) {
  if (share > 0 && share < 0.005) return "<1%";
  return std::to_string(static_cast<int>(share * 100 + 0.5)) + "%";
}

std::string MostSeenText(const DateSummary& d) {
  std::string text = "mostly " + std::to_string(d.mostSeen.day) + " (" + Percent(d.ShareOf(d.mostSeen));
  std::string others;
  for (const DateSummary::Share& share : d.shares)
    if (share.day != d.mostSeen.day)
      others +=
          (others.empty() ? "; then " : ", ") + std::to_string(share.day) + " " + Percent(d.ShareOf(share));
  text += others;
  if (d.flickers > 0)
    text += "; " + std::to_string(d.flickers) + (d.flickers == 1 ? " other" : " others") + " under a minute";
  return text + ")";
}

std::string DawnText(const DateSummary& d) {
  return "the game's day cycle moves the day " + std::to_string(d.dawnsBetweenWrites) +
         (d.dawnsBetweenWrites == 1 ? " time" : " times") + " between a policy's writes";
}

std::string SummaryLine(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string line = DateText(d.date) + " " + WeekdayText(d.date) + "  ";
  if (d.LengthMinutes() == 0) return line + LengthText(d, calendar) + "  day=" + std::to_string(d.endDay);
  if (d.shownFrom != d.start) line += "from " + calendar.Format(d.shownFrom, "%H:%M:%S") + ": ";
  if (d.shownTo != d.end) line += "to " + calendar.Format(d.shownTo, "%H:%M:%S") + ": ";
  line += MostSeenText(d) + " | " + SeenText(d, writers, calendar);
  std::string writes;
  for (int w = 0; w < writers.Count(); ++w)
    if (d.writes[w] > 0)
      writes += (writes.empty() ? "" : ", ") + writers.Name(w) + " " + std::to_string(d.writes[w]);
  line += " | writes " + (writes.empty() ? std::string("none") : writes);
  if (d.OddLength()) line += " | " + LengthText(d, calendar);
  if (d.overwrites > 1) line += " | " + FightText(d, writers);
  if (d.dawnsBetweenWrites > 0) line += " | " + DawnText(d);
  if (d.longestHold.count() >= 0)
    line += " | a day.set holds " + cli::DurationText(d.longestHold) + " at most";
  return line + "  day=" + std::to_string(d.endDay);
}

std::string FightText(const DateSummary& d, const Writers& writers) {
  std::vector<std::string> names;
  for (int w = 0; w < writers.Count(); ++w)
    if (d.fighters & (1u << w)) names.push_back(writers.Name(w));
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text + " overwrite each other " + std::to_string(d.overwrites) + "x";
}

std::string ChangeList(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string text =
      DateText(d.date) + " " + WeekdayText(d.date) + ": day " + std::to_string(d.startDay) +
      (d.shownFrom == d.start ? " at midnight" : " at " + calendar.Format(d.shownFrom, "%H:%M:%S %Z"));
  for (const auto& change : d.changes) text += "\n" + ChangeText(change, writers, calendar, "%H:%M:%S %Z");
  const long long unlisted = d.changeCount - static_cast<long long>(d.changes.size());
  if (unlisted > 1) text += "\n... " + std::to_string(unlisted - 1) + " more";
  if (unlisted > 0) text += "\n" + ChangeText(d.last, writers, calendar, "%H:%M:%S %Z");
  return text + "\nday at the end: " + std::to_string(d.endDay);
}

std::string WriterText(const DayRecorder& record, int writer) {
  const Writers& writers = record.WriterNames();
  const auto& on = record.PoliciesOn();
  const long long total = record.Totals()[writer];
  if (total == 0 && std::find(on.begin(), on.end(), writers.Name(writer)) == on.end()) return "";
  std::string text = writers.Name(writer) + " " + std::to_string(total);
  if (total > 0 || writers.Name(writer) != kDayPolicies[kResetDays].timer) return text;
  // resetdays sees the day only at its own checks; players may see the limit between them.
  const std::string limit = std::to_string(Settings.DayToReset);
  if (record.Highest() < Settings.DayToReset) return text + " (the day never reached " + limit + ")";
  return text + " (players saw day " + std::to_string(record.Highest()) +
         ", but at each of its checks the day was below " + limit + ")";
}

std::string WritesText(const DayRecorder& record) {
  std::string text;
  for (int w = 0; w < record.WriterNames().Count(); ++w)
    if (const std::string writer = WriterText(record, w); !writer.empty())
      text += (text.empty() ? "" : ", ") + writer;
  return text.empty() ? "none" : text;
}
