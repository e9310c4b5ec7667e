// The preview's command line: its options, their usage text and how they are read.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "GameClock.h"

constexpr double kLongestDayLengthSeconds = 31'536'000;  // a year of real time per in-game day

// What the command line asks for.
struct Options {
  std::string serverDir;
  std::string from;  // empty: now
  std::string span = "14d";
  double dayLengthSeconds = kDefaultDayLengthSeconds;
  bool dayLengthGiven = false;
  std::optional<int32_t> day;  // the day players see now, when the admin knows it
  std::string html;
  bool timeline = false;
  bool json = false;  // one JSON document instead of the text
};

// Prints the usage text.
void Usage(std::ostream& out);
// Prints why the arguments are bad and the usage on standard error; returns 2.
int BadUsage(const std::string& why);
// Returns seconds as the admin would write them: 1800, 0.5, 1.25.
std::string SecondsText(double seconds);
// Returns 0, or the exit code for bad arguments (help and version exit at once).
int ParseOptions(const std::vector<std::string>& argv, Options& options);
