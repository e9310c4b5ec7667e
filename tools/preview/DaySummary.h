// The preview's record: what players see on each local date, and who wrote it, aggregated as
// the host's events come so that memory does not grow with the writes.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "DevHost.h"
#include "LocalCalendar.h"

// Who wrote the day players see: the day of the game before any write, each policy by its timer
// id in registration order, the game's own dawn, and a manual day.set from either path.
class Writers {
 public:
  Writers();
  // Returns the index of a source, adding it the first time (at most kMost writers).
  int IndexOf(const std::string& source);
  const std::string& Name(int index) const { return names_[index]; }
  // Returns whether the writer is one of the plugin's policies.
  bool IsPolicy(int index) const { return index >= 1 && index <= policies_; }
  int Count() const { return static_cast<int>(names_.size()); }
  static constexpr int kMost = 16;
  static constexpr int kStart = 0;

 private:
  std::vector<std::string> names_;
  int policies_ = 0;
};

// One local date of the span.
struct DateSummary {
  static constexpr int kStripSlots = 96;           // quarters of an hour, stretched over the date's length
  static constexpr std::size_t kKeptChanges = 24;  // changes listed; the rest are counted
  static constexpr std::size_t kKeptDays = 8;      // distinct days listed

  struct Change {
    Time at;
    int writer = 0;
    int32_t day = 0;
  };

  cctz::civil_day date;
  Time start, end;          // the date's first instant and the next date's
  Time shownFrom, shownTo;  // the part of it inside the span
  int32_t startDay = 0, endDay = 0;
  std::vector<Change> changes;  // the first kKeptChanges changes of the day players see
  Change last;                  // the last change, when changeCount > 0
  long long changeCount = 0;
  std::vector<int32_t> daysSeen;                   // distinct days players see, in order of first sight
  bool moreDays = false;                           // more than kKeptDays of them
  std::array<long long, Writers::kMost> writes{};  // per writer
  long long overwrites = 0;                        // changes by a policy right after another policy's change
  unsigned fighters = 0;                           // the policies in those changes, a bit per writer
  std::chrono::seconds longestHold{-1};            // the longest wait for a policy's write; -1: none wrote
  // Who held the day players see in each slot: each writer's share in eighths (summing to 8, or
  // to 0 for a slot outside the span).
  static constexpr int kShares = 8;
  std::array<std::array<uint8_t, Writers::kMost>, kStripSlots> strip{};

  // Returns the date's length in hours when it is not 24 (daylight saving), else 0.
  int OddHours() const;
  bool Partial() const { return shownFrom != start || shownTo != end; }
};

// Takes the host's events during a preview and keeps one summary per local date.
class DayRecorder {
 public:
  // Starts at from, with the day players see then.
  DayRecorder(const LocalCalendar& calendar, Time from, int32_t day);
  // Takes one host event, from the host's listener; events come in time order.
  void OnEvent(const DevHost::Event& event);
  // Closes the last date at the end of the span.
  void Finish(Time to);

  const std::vector<DateSummary>& Dates() const { return dates_; }
  const Writers& WriterNames() const { return writers_; }
  // Returns the writes of each writer over the whole span.
  const std::array<long long, Writers::kMost>& Totals() const { return totals_; }
  // Returns the faults the host recorded.
  const std::vector<std::string>& Faults() const { return faults_; }

 private:
  void Open(const cctz::civil_day& date, Time from);
  void CloseUntil(Time t);  // closes every date that ends by t, opening the next
  void Hold(Time until);    // credits the time since the last change to its writer's strip slots
  void Close(Time to);

  const LocalCalendar& calendar_;
  Writers writers_;
  std::vector<DateSummary> dates_;
  DateSummary current_;
  std::array<std::array<int64_t, Writers::kMost>, DateSummary::kStripSlots>
      held_{};                    // ms per slot and writer
  int32_t visible_ = 0;           // the day players see
  int holder_ = Writers::kStart;  // who wrote it
  Time heldSince_;
  int lastChanger_ = Writers::kStart;
  Time lastPolicyWrite_;
  bool policyWrote_ = false;
  std::array<long long, Writers::kMost> totals_{};
  std::vector<std::string> faults_;
};

// Returns a date's summary line: the date and weekday, the days seen with the changes that
// matter, the writes per writer, notes, and the day at its end.
std::string SummaryLine(const DateSummary& date, const Writers& writers, const LocalCalendar& calendar);
// Returns the exact changes of a date, one per line, for the calendar page's title text.
std::string ChangeList(const DateSummary& date, const Writers& writers, const LocalCalendar& calendar);
// Returns "forceday and forceweekday overwrite each other 12x" for a date where policies fight.
std::string FightText(const DateSummary& date, const Writers& writers);
