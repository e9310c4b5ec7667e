// morrowset-check: reads a config.json with the plugin's own reading code and tells the outcome.
//
// The plugin writes no log line, so a bad config.json makes it fail silently on a real server.
// This prints the exact text start-up would end with (exit 1), or OK with the settings and the
// policies start-up would register, in registration order (exit 0). Bad arguments exit 2.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "config/Config.h"

namespace {

int Usage() {
  std::cerr << "usage: morrowset-check PATH-TO-config.json\n"
               "       morrowset-check --server-dir DIR\n";
  return 2;
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
  if (argc == 2 && std::string(argv[1]).rfind("-", 0) != 0) {
    path = argv[1];
  } else if (argc == 3 && std::string(argv[1]) == "--server-dir") {
    path = ConfigPath(argv[2]);
  } else {
    return Usage();
  }

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
