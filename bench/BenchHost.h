// Loads the built plugin into the development host, for the benchmarks.
#pragma once

#include <string>

// Loads the plugin with "forceday" switched on, unless it is loaded so; aborts when it cannot.
void EnsurePluginLoaded();
// Loads the plugin with config.json holding config, unless it is loaded so already.
void EnsurePluginLoadedWith(const std::string& config);
