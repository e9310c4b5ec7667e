// The preview's command line: every option one row of the shared option table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "GameClock.h"
#include "OptionTable.h"

constexpr double kLongestDayLengthSeconds = 31'536'000;  // a year of real time per in-game day

// What the command line asks for; each default is written here once, and --help shows it.
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

// The preview's options, its usage and its help.
extern const cli::Table<Options> kPreviewCommandLine;

// Prints why the arguments are bad and the help on standard error; returns 2.
int BadUsage(const std::string& why);
// Reads the command line into options; returns -1 to run, or the exit code (after --help,
// --version, or a refusal).
int ReadOptions(const std::vector<std::string>& argv, Options& options);
