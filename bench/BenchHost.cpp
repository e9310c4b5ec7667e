// Loads the built plugin into a simulated session, on a server folder of its own.
#include "BenchHost.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

void EnsurePluginLoaded() {
  EnsurePluginLoadedWith(R"({"ForceDay": true, "DayToForce": 5, "FollowWeekCycle": false,
                             "ResetWhenReachDay": false, "DayToReset": 100, "DayToSetWhenReset": 1})");
}

Simulation& EnsurePluginLoadedWith(const std::string& config) {
  static std::string loaded;
  // Never destroyed: the host's own statics may be gone when the program's end would unload it.
  static Simulation* session = nullptr;
  if (session && loaded == config) return *session;
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "morrowset-bench";
  const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  std::ofstream(plugin / "config.json") << config;
  delete session;
  Simulation::Setup setup;
  setup.serverDir = dir.string();
  session = new Simulation(setup);
  if (const std::string why = session->LoadPlugin("MorrowsetVelde", MORROWSET_PLUGIN_PATH); !why.empty()) {
    std::fprintf(stderr, "plugin failed: %s\n", why.c_str());
    std::abort();
  }
  loaded = config;
  return *session;
}
