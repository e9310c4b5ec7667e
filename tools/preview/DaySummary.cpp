// Aggregates the host's events per local date and words each date as one line.
#include "DaySummary.h"

#include <algorithm>

#include "WallClock.h"
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

int DateSummary::OddHours() const {
  const auto hours = std::chrono::duration_cast<std::chrono::hours>(end - start).count();
  return hours == 24 ? 0 : static_cast<int>(hours);
}

DayRecorder::DayRecorder(const LocalCalendar& calendar, Time from, int32_t day)
    : calendar_(calendar), visible_(day), heldSince_(from), lastPolicyWrite_(from) {
  Open(calendar_.DateOf(from), from);
}

void DayRecorder::Open(const cctz::civil_day& date, Time from) {
  current_ = DateSummary();
  current_.date = date;
  current_.start = calendar_.StartOf(date);
  current_.end = calendar_.StartOf(date + 1);
  current_.shownFrom = from;
  current_.shownTo = current_.end;
  current_.startDay = visible_;
  current_.daysSeen.push_back(visible_);
  for (auto& slot : held_) slot.fill(0);
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
  heldSince_ = until;
}

void DayRecorder::Close(Time to) {
  Hold(to);
  DateSummary& d = current_;
  d.shownTo = to;
  d.endDay = visible_;
  if (policyWrote_)
    d.longestHold =
        std::max(d.longestHold,
                 std::chrono::duration_cast<std::chrono::seconds>(to - std::max(lastPolicyWrite_, d.start)));
  for (int slot = 0; slot < DateSummary::kStripSlots; ++slot) {
    // Shares in eighths by the largest remainder, so that they add up to the whole slot.
    const auto& time = held_[slot];
    long long total = 0;
    for (const int64_t t : time) total += t;
    if (total == 0) continue;
    int given = 0;
    std::array<long long, Writers::kMost> rest{};
    for (int w = 0; w < Writers::kMost; ++w) {
      d.strip[slot][w] = static_cast<uint8_t>(time[w] * DateSummary::kShares / total);
      rest[w] = time[w] * DateSummary::kShares % total;
      given += d.strip[slot][w];
    }
    for (; given < DateSummary::kShares; ++given) {
      const auto most = std::max_element(rest.begin(), rest.end());
      ++d.strip[slot][most - rest.begin()];
      *most = -1;
    }
  }
  dates_.push_back(std::move(d));
}

void DayRecorder::CloseUntil(Time t) {
  while (t >= current_.end) {
    const Time next = current_.end;
    Close(next);
    Open(current_.date + 1, next);
  }
}

void DayRecorder::OnEvent(const DevHost::Event& event) {
  using Kind = DevHost::Event::Kind;
  if (event.kind == Kind::Fault) faults_.push_back(event.Name());
  if (event.kind != Kind::Day && event.kind != Kind::Update && event.kind != Kind::Dawn) return;
  CloseUntil(event.at);
  DateSummary& d = current_;
  const int writer = writers_.IndexOf(event.source);
  if (event.kind == Kind::Day || event.kind == Kind::Dawn) {
    ++d.writes[writer];
    ++totals_[writer];
    if (writers_.IsPolicy(writer)) {
      // A manual day would hold until this write: the longest such wait of the date.
      d.longestHold = std::max(d.longestHold, std::chrono::duration_cast<std::chrono::seconds>(
                                                  event.at - std::max(lastPolicyWrite_, d.start)));
      lastPolicyWrite_ = event.at;
      policyWrote_ = true;
    }
  }
  // Players see the day through a network update; the day cycle replicates its own. A writer
  // that rewrites the day they see holds it from then on, without a change.
  if (event.kind == Kind::Day) return;
  Hold(event.at);
  if (event.day == visible_) {
    holder_ = writer;
    return;
  }
  visible_ = event.day;
  holder_ = writer;
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

void DayRecorder::Finish(Time to) {
  CloseUntil(to);
  if (to > current_.shownFrom || dates_.empty()) Close(to);
}

namespace {

std::string ChangeText(const DateSummary::Change& change, const Writers& writers,
                       const LocalCalendar& calendar) {
  return std::to_string(change.day) + " at " + calendar.Format(change.at, "%H:%M:%S") + " " +
         writers.Name(change.writer);
}

// The days players see during the date, with the changes that matter: all of a few, the first
// and the last of many.
std::string SeenText(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  if (d.changeCount == 0) return std::to_string(d.startDay) + " all day";
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

std::string SummaryLine(const DateSummary& d, const Writers& writers, const LocalCalendar& calendar) {
  std::string line = DateText(d.date) + " " + WeekdayText(d.date) + "  ";
  if (d.shownFrom != d.start) line += "from " + calendar.Format(d.shownFrom, "%H:%M:%S") + ": ";
  if (d.shownTo != d.end) line += "to " + calendar.Format(d.shownTo, "%H:%M:%S") + ": ";
  line += SeenText(d, writers, calendar);
  std::string writes;
  for (int w = 0; w < writers.Count(); ++w)
    if (d.writes[w] > 0)
      writes += (writes.empty() ? "" : ", ") + writers.Name(w) + " " + std::to_string(d.writes[w]);
  line += " | writes " + (writes.empty() ? std::string("none") : writes);
  if (const int hours = d.OddHours())
    line += " | " + std::to_string(hours) + "-hour date (" + calendar.Format(d.start, "%Z") + " to " +
            calendar.Format(d.end - std::chrono::seconds(1), "%Z") + ")";
  if (d.overwrites > 1) line += " | " + FightText(d, writers);
  if (d.longestHold.count() >= 0)
    line += " | a day.set holds " + WallClock::DurationText(d.longestHold) + " at most";
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
      (d.shownFrom == d.start ? " at midnight" : " at " + calendar.Format(d.shownFrom, "%H:%M:%S"));
  for (const auto& change : d.changes) text += "\n" + ChangeText(change, writers, calendar);
  const long long unlisted = d.changeCount - static_cast<long long>(d.changes.size());
  if (unlisted > 1) text += "\n... " + std::to_string(unlisted - 1) + " more";
  if (unlisted > 0) text += "\n" + ChangeText(d.last, writers, calendar);
  return text + "\nday at the end: " + std::to_string(d.endDay);
}
