// Loads the built plugin into a simulated session, for the benchmarks.
#pragma once

#include <string>

#include "Simulation.h"

// Loads the plugin with "forceday" switched on, unless it is loaded so; aborts when it cannot.
void EnsurePluginLoaded();
// Loads the plugin with config.json holding config in a session of its own, unless it is loaded
// so already; returns that session, which stays open until the next config (or the program's end).
Simulation& EnsurePluginLoadedWith(const std::string& config);
