// The development server's command line: every option one row of a table, read in-process.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "GameClock.h"
#include "Rcon.h"

// What the command line asks of the server.
struct ServerOptions {
  std::string serverDir;
  double dayLengthSeconds = kDefaultDayLengthSeconds;
  double timerSeconds = static_cast<double>(kDefaultTimerRound.count());
  bool verbose = false;
  bool rcon = true;
  bool passwordGiven = false;
  RconOptions rconOptions;
  std::string clock;     // the local time to start at; empty for the machine's time
  std::string zone;      // the time zone; empty for the machine's
  std::string forecast;  // the duration to forecast; empty to run as a server

  // Returns the time between timer rounds.
  std::chrono::nanoseconds TimerInterval() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(timerSeconds));
  }
};

// What reading the command line came to.
enum class Parsed {
  Run,      // run with the options read
  Help,     // print the usage, exit 0
  Version,  // print the version, exit 0
  Bad,      // print the error (and the usage when asked), exit 2
};

// Reads the arguments after the program's name into options. On Bad, error is the line to print
// after "morrowset-devserver: ", and showUsage says whether the usage follows it.
Parsed ParseOptions(const std::vector<std::string>& args, ServerOptions& options, std::string& error,
                    bool& showUsage);

// Prints the usage text.
void PrintUsage(std::ostream& out);
