// Fuzz target: any text after "day.set", on the console and over RCON, through the built plugin
// loaded into the development host. The host must see no contract fault and no buffer left,
// and both paths must leave the same day.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "DevHost.h"
#include "Simulation.h"

namespace {

// Loads the plugin once, into a session on a server folder of its own with every policy off.
void LoadPluginOnce() {
  static const bool loaded = [] {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "morrowset-day-set-fuzz";
    const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
    fs::create_directories(plugin);
    std::ofstream(plugin / "config.json")
        << R"({"ForceDay": false, "DayToForce": 1, "FollowWeekCycle": false, "ResetWhenReachDay": false,
              "DayToReset": 100, "DayToSetWhenReset": 1})";
    Simulation::Setup setup;
    setup.serverDir = dir.string();
    static Simulation& session = *new Simulation(setup);  // never destroyed
    const bool ok = session.LoadPlugin("MorrowsetVelde", MORROWSET_PLUGIN_PATH).empty();
    // Unloaded before the statics the host made while loading it go (registered after them), as
    // a server unloads its plugins before it ends.
    std::atexit([] { session.UnloadPlugins(); });
    return ok;
  }();
  if (!loaded) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  LoadPluginOnce();
  const std::string line = "day.set " + std::string(reinterpret_cast<const char*>(data), size);
  DevHost::SetGameDay(1);
  if (!DevHost::RunConsole(line)) __builtin_trap();
  const int32_t console = DevHost::Day();
  DevHost::SetGameDay(1);
  if (!DevHost::RunRcon(line)) __builtin_trap();
  if (DevHost::Day() != console || DevHost::ReplicatedDay() != console) __builtin_trap();
  if (!DevHost::Faults().empty() || DevHost::OutstandingBuffers() != 0) __builtin_trap();
  return 0;
}
