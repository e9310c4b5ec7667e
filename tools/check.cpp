// morrowset-check: reads a config.json with the plugin's own reading code and tells the outcome.
//
// The plugin writes no log line, so a bad config.json makes it fail silently on a real server.
// This prints the exact text start-up would end with (exit 1), or OK with the settings and the
// policies start-up would register, in registration order (exit 0). Bad arguments exit 2.
// --init first writes the default config.json where there is none, for a first install.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DefaultConfig.h"
#include "config/Config.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: morrowset-check [--init] PATH-TO-config.json\n"
         "       morrowset-check [--init] --server-dir DIR\n"
         "Checks a config.json with the plugin's own reading code: prints OK, the settings and\n"
         "the policies start-up will register (exit 0), or the error start-up would end with\n"
         "(exit 1). Bad arguments exit 2.\n"
         "  --server-dir DIR  the server folder; checks DIR/TolvApi/Plugins/MorrowsetVelde/config.json\n"
         "  --init            first write the default config.json (every policy off) if there is\n"
         "                    none; an existing one is never changed\n"
         "  --help            this text\n"
         "  --version         the version\n";
}

int BadUsage(const std::string& why) {
  std::cerr << "morrowset-check: " << why << "\n";
  Usage(std::cerr);
  return 2;
}

// Writes the default config.json at path unless a file is there; returns false when it cannot.
bool WriteDefaultConfig(const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return true;
  std::ofstream file(path, std::ios::binary);
  file << kDefaultConfig;
  file.close();
  if (!file) {
    std::cout << "cannot write the default config.json: " << path << "\n";
    return false;
  }
  std::cout << "wrote the default config.json (every policy off): " << path << "\n";
  return true;
}

const char* Flag(bool value) { return value ? "true" : "false"; }

// Returns the policies start-up registers, in its order; throws as start-up does.
std::vector<std::string> Policies() {
  std::vector<std::string> policies;
  if (Settings::ForceDay) policies.push_back("forceday");
  if (Settings::FollowWeekCycle) policies.push_back("forceweekday");
  if (Settings::ResetWhenReachDay) policies.push_back("resetdays");
  if (FollowMonthDayNumber()) policies.push_back("forcemonthday");
  return policies;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path;
  bool init = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "morrowset-check " << MORROWSET_VERSION << "\n";
      return 0;
    }
    std::string dir;
    if (arg == "--init") {
      init = true;
      continue;
    } else if (arg == "--server-dir") {
      if (i + 1 == argc) return BadUsage("--server-dir needs a folder");
      dir = argv[++i];
    } else if (arg.rfind("--server-dir=", 0) == 0) {
      dir = arg.substr(std::string("--server-dir=").size());
    } else if (arg.rfind("-", 0) == 0) {
      return BadUsage("unknown option: " + arg);
    }
    if (!path.empty()) return BadUsage("give one config.json, or one --server-dir");
    path = dir.empty() ? arg : ConfigPath(dir);
  }
  if (path.empty()) return BadUsage("which config.json? give its path or --server-dir");
  if (init && !WriteDefaultConfig(path)) return 1;

  std::vector<std::string> policies;
  try {
    ReadConfigFile(path);
    policies = Policies();
  } catch (const std::exception& error) {
    std::cout << error.what() << "\n";
    return 1;
  }

  std::cout << "OK\n"
            << "ForceDay=" << Flag(Settings::ForceDay) << "\n"
            << "DayToForce=" << Settings::DayToForce << "\n"
            << "FollowWeekCycle=" << Flag(Settings::FollowWeekCycle) << "\n"
            << "ResetWhenReachDay=" << Flag(Settings::ResetWhenReachDay) << "\n"
            << "DayToReset=" << Settings::DayToReset << "\n"
            << "DayToSetWhenReset=" << Settings::DayToSetWhenReset << "\n"
            << "policies=";
  if (policies.empty()) std::cout << "none";
  for (std::size_t i = 0; i < policies.size(); ++i) std::cout << (i ? "," : "") << policies[i];
  std::cout << "\n";
  return 0;
}
