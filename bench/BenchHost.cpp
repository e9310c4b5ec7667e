// Loads the built plugin into the development host, on a server folder of its own.
#include "BenchHost.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DevHost.h"

void EnsurePluginLoaded() {
  EnsurePluginLoadedWith(R"({"ForceDay": true, "DayToForce": 5, "FollowWeekCycle": false,
                             "ResetWhenReachDay": false, "DayToReset": 100, "DayToSetWhenReset": 1})");
}

void EnsurePluginLoadedWith(const std::string& config) {
  static std::string loaded;
  if (loaded == config) return;
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "morrowset-bench";
  const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  std::ofstream(plugin / "config.json") << config;
  DevHost::UnloadAllPlugins();
  DevHost::Reset();
  DevHost::SetServerDir(dir.string());
  if (!DevHost::LoadPlugin("MorrowsetVelde", MORROWSET_PLUGIN_PATH)) {
    std::fprintf(stderr, "plugin failed: %s\n", DevHost::LoadErrorOf("MorrowsetVelde").c_str());
    std::abort();
  }
  loaded = config;
}
