// The development server's --forecast: the plugins on the server's clock, the timeline printed.
#pragma once

#include <chrono>
#include <optional>

#include "LocalCalendar.h"
#include "Options.h"
#include "WallClock.h"

// Loads the plugins on a clock that stands still at start, between the rounds it runs, runs it
// --forecast ahead and prints the forecast with times in the calendar's zone; returns the exit code.
int ForecastMain(const ServerOptions& options, std::optional<WallClock::Time> start,
                 const LocalCalendar& calendar);
