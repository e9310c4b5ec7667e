// The development server's --forecast: the plugins on the server's clock, the timeline printed.
#pragma once

#include <chrono>

#include "Options.h"

// Reads the --forecast duration and checks it against the timer interval; 0 or an exit code.
int ReadForecast(const ServerOptions& options, std::chrono::seconds& duration);
// Loads the plugins and prints the forecast; returns the exit code.
int ForecastMain(const ServerOptions& options, std::chrono::seconds duration);
