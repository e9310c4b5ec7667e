// The day players see, as the host's events come: the one place of the rule of what shows it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DevHost.h"

// Follows the day players see and who writes the day. A write alone (Kind::Day) shows nothing:
// players see the day through the game state's network update, and the game's own day cycle
// (Kind::Dawn) writes and replicates its day at once. Faults are kept as they come.
class SeenDay {
 public:
  // Starts at the day players see now.
  explicit SeenDay(int32_t day) : day_(day) {}
  // Takes the day players see now, for a run whose start is known only after its first events.
  void StartAt(int32_t day) { day_ = day; }

  // What one event did.
  struct Seen {
    bool write = false;    // a writer wrote the day (Day or Dawn)
    bool shown = false;    // players were shown a day (Update or Dawn)
    bool changed = false;  // and it differs from the one they saw before
  };
  // Takes one host event, in the order the host recorded them.
  Seen Take(const DevHost::Event& event);
  // Returns whether an event writes or shows a day (a Day, an Update or a Dawn).
  static bool Concerns(const DevHost::Event& event);

  // Returns the day players see.
  int32_t Day() const { return day_; }
  // Returns the writers in the order of their first write, each with its number of writes.
  struct Writer {
    std::string source;
    long long writes = 0;
  };
  const std::vector<Writer>& Writers() const { return writers_; }
  // Returns the faults the host recorded, by name.
  const std::vector<std::string>& Faults() const { return faults_; }

 private:
  int32_t day_;
  std::vector<Writer> writers_;
  std::vector<std::string> faults_;
};

// Returns the lines that sum up a run: "writes: <writes, or none>" and "day at the end: N".
std::string SeenDayFooter(const std::string& writes, int32_t day);
