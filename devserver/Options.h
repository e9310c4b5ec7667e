// The development server's command line: every option one row of the shared option table.
#pragma once

#include <chrono>
#include <string>

#include "GameClock.h"
#include "OptionTable.h"
#include "Rcon.h"

// What the command line asks of the server; each default is written here once, and --help shows it.
struct ServerOptions {
  std::string serverDir;
  double dayLengthSeconds = kDefaultDayLengthSeconds;
  double timerSeconds = static_cast<double>(kDefaultTimerRound.count());
  bool verbose = false;
  bool rcon = true;
  bool passwordGiven = false;
  RconOptions rconOptions;
  std::string clock;                      // the local time to start at; empty for the machine's time
  std::string zone;                       // the time zone; empty for the machine's
  std::string forecast;                   // the duration to forecast, as given; empty to run as a server
  std::chrono::seconds forecastLength{};  // that duration

  // Returns the time between timer rounds.
  std::chrono::nanoseconds TimerInterval() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(timerSeconds));
  }
};

// The server's options, their usage and its help.
extern const cli::Table<ServerOptions> kServerCommandLine;
