// Loads the built plugin once into the development host, for the benchmarks.
#pragma once

// Loads the plugin with "forceday" switched on, if not loaded yet; aborts when it cannot.
void EnsurePluginLoaded();
