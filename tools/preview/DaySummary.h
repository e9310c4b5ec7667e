// The preview's record: what players see on each local date, and who wrote it, aggregated as
// the host's events come so that memory does not grow with the writes.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DevHost.h"
#include "LocalCalendar.h"
#include "SeenDay.h"

// Who wrote the day players see: the day of the game before any write, each policy by its timer
// id in registration order, the game's own dawn, and a manual day.set from either path.
class Writers {
 public:
  Writers();
  // Returns the index of a source, adding it the first time (at most kMost writers).
  int IndexOf(const std::string& source);
  const std::string& Name(int index) const { return names_[index]; }
  // Returns the index of a known source, or -1.
  int Find(const std::string& source) const;
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
  // How long players saw each day on the date, largest first (the first is the day they mostly
  // saw); days seen under a minute are not listed but counted as flickers.
  struct Share {
    int32_t day = 0;
    std::chrono::milliseconds held{0};
  };
  static constexpr std::chrono::seconds kFlicker{60};
  std::vector<Share> shares;                 // at most kKeptDays, each seen kFlicker or longer
  Share mostSeen;                            // the day seen longest, flicker or not
  long long flickers = 0;                    // days seen under kFlicker
  std::chrono::milliseconds flickerTime{0};  // and how long in all
  long long dawnsBetweenWrites = 0;          // dawns that moved a policy's day before its next write
  // Returns the part of the date's time inside the span a share covers, 0 to 1.
  double ShareOf(const Share& share) const;
  // The longest wait for a write that overwrites any day (not resetdays'); -1: none.
  std::chrono::seconds longestHold{-1};
  // Who held the day players see in each slot, for any time at all: a bit per writer (none for a
  // slot outside the span), so that a value seen for a second shows beside one seen all along.
  std::array<uint16_t, kStripSlots> holders{};
  static_assert(Writers::kMost <= 16, "a bit per writer");
  // Returns the writers whose value players saw on the date, a bit per writer.
  unsigned Seen() const;

  // Returns the date's real length in minutes: 1440, or 1380 and 1500 at daylight-saving
  // changes, 1410 and 1470 at Lord Howe's, 0 for a date the zone skips altogether.
  long long LengthMinutes() const;
  bool OddLength() const { return LengthMinutes() != 24 * 60; }
  // Returns the date's length in hours as it is told: "23", "24.5".
  std::string LengthHours() const;
  bool Partial() const { return shownFrom != start || shownTo != end; }
};

// Takes the host's events during a preview and keeps one summary per local date.
class DayRecorder {
 public:
  // Records the span [from, to), which starts with the day players see then; round is the
  // timer interval, and policies the ones that are on.
  DayRecorder(const LocalCalendar& calendar, Time from, Time to, std::chrono::seconds round, int32_t day,
              std::vector<std::string> policies);
  // Takes one host event, from the host's listener; events come in time order, and those at
  // the span's end or later are not part of it.
  void OnEvent(const DevHost::Event& event);
  // Closes the last date at the end of the span.
  void Finish();
  // Returns the day players see at the end of the span.
  int32_t EndDay() const { return seen_.Day(); }
  // Returns the highest day players saw over the span.
  int32_t Highest() const { return highest_; }
  // Returns the policies that are on, by timer id.
  const std::vector<std::string>& PoliciesOn() const { return policies_; }

  const std::vector<DateSummary>& Dates() const { return dates_; }
  const Writers& WriterNames() const { return writers_; }
  // Returns the writes of each writer over the whole span.
  const std::array<long long, Writers::kMost>& Totals() const { return totals_; }
  // Returns the faults the host recorded.
  const std::vector<std::string>& Faults() const { return seen_.Faults(); }

 private:
  void Open(const cctz::civil_day& date, Time from);
  void CloseUntil(Time t);  // closes every date that ends by t, opening the next
  void Hold(Time until);    // credits the time since the last change to its writer's strip slots
  void Close(Time to);
  void Share(DateSummary& d) const;  // how long each day was seen on the closing date
  // A date's day at the end that a change in its last timer round set, and the day before it:
  // when the next change follows within a round, players never saw it and the date ends on the one before.
  struct ShortEnd {
    std::size_t date = 0;
    Time at;
    int32_t before = 0;
    bool open = false;
  };
  void SettleShortEnd(Time change);

  const LocalCalendar& calendar_;
  const Time to_;
  const std::chrono::seconds round_;
  const std::vector<std::string> policies_;
  ShortEnd shortEnd_;
  int32_t beforeLast_ = 0;  // the day players saw before the last change
  Writers writers_;
  std::vector<DateSummary> dates_;
  DateSummary current_;
  std::array<std::array<int64_t, Writers::kMost>, DateSummary::kStripSlots>
      held_{};                                            // ms per slot and writer
  SeenDay seen_;                                          // the day players see
  int32_t highest_;                                       // the highest day they saw
  int holder_ = Writers::kStart;                          // who wrote it
  int32_t heldDay_;                                       // the day players saw since heldSince_
  std::map<int32_t, std::chrono::milliseconds> dayTime_;  // how long each day was seen on the date
  Time heldSince_;
  int lastChanger_ = Writers::kStart;
  Time lastPolicyWrite_;
  bool policyWrote_ = false;
  std::array<long long, Writers::kMost> totals_{};
};

// Returns a date's summary line: the date and weekday, the days seen with the changes that
// matter, the writes per writer, notes, and the day at its end.
std::string SummaryLine(const DateSummary& date, const Writers& writers, const LocalCalendar& calendar);
// Returns the exact changes of a date, one per line, for the calendar page's title text.
std::string ChangeList(const DateSummary& date, const Writers& writers, const LocalCalendar& calendar);
// Returns "mostly 6 (62%; then 5 20%, 4 10%; 3 others under a minute)": the day players saw
// longest on the date with its share of the date's time, then the others seen a minute or more.
std::string MostSeenText(const DateSummary& date);
// Returns a share as a whole percentage, "<1%" for a share that rounds to nothing.
std::string Percent(double share);
// Returns "the game's day cycle moves the day 47 times between a policy's writes".
std::string DawnText(const DateSummary& date);
// Returns "forceday and forceweekday overwrite each other 12x" for a date where policies fight.
std::string FightText(const DateSummary& date, const Writers& writers);
// Returns a date's length when it is not 24 hours, "23.5-hour date (+1030 to +11)", or that the
// zone skipped it; empty for a 24-hour date.
std::string LengthText(const DateSummary& date, const LocalCalendar& calendar);
// Returns the span's writes per writer: each that wrote, and every policy that is on, with why
// it never wrote where that is known: "forceday 288, dawn 47, resetdays 0 (the day never reached 100)".
std::string WritesText(const DayRecorder& record);
// Returns one writer's part of WritesText, empty for one that neither wrote nor is a policy that is on.
std::string WriterText(const DayRecorder& record, int writer);
