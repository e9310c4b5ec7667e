// Test fixture: a fresh development host and server folder per test, the real plugin loaded.
#include "PluginHost.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace morrowset::test {

std::string ConfigJson(bool forceDay, bool weekDay, bool resetDays, const std::string& monthDay,
                       int dayToForce, int dayToReset, int dayToSetWhenReset) {
  auto flag = [](bool on) { return on ? "true" : "false"; };
  std::ostringstream json;
  json << "{\"ForceDay\": " << flag(forceDay) << ", \"DayToForce\": " << dayToForce
       << ", \"FollowWeekCycle\": " << flag(weekDay) << ", \"ResetWhenReachDay\": " << flag(resetDays)
       << ", \"DayToReset\": " << dayToReset << ", \"DayToSetWhenReset\": " << dayToSetWhenReset;
  if (!monthDay.empty()) json << ", \"FollowMonthDayNumber\": " << monthDay;
  json << "}";
  return json.str();
}

std::string WithMember(const std::string& json, const std::string& name, const std::string& value) {
  return json.substr(0, json.rfind('}')) + ", \"" + name + "\": " + value + "}";
}

Seq EventsOf(const DevHost::Events& events, const std::vector<Kind>& kinds) {
  Seq kept;
  for (const auto& event : events)
    if (std::find(kinds.begin(), kinds.end(), event.kind) != kinds.end()) kept.push_back(event.Name());
  return kept;
}

std::string PluginPath() { return MORROWSET_PLUGIN_PATH; }

namespace {
long ProcessId() {
#if defined(_WIN32)
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}
}  // namespace

void PluginTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/' || c == '<' || c == '>' || c == ' ') c = '_';
  // One folder per process too: the suites of two builds may run at once on one machine.
  const fs::path dir = fs::temp_directory_path() / ("morrowset-tests-" + std::to_string(ProcessId())) / name;
  fs::remove_all(dir);
  serverDir = dir.string();
  const fs::path plugin = DevHost::PluginFolder(serverDir, "MorrowsetVelde");
  fs::create_directories(plugin);
  configPath = (plugin / "config.json").string();
  Simulation::Setup setup;
  setup.serverDir = serverDir;
  setup.keepEvents = true;
  session.emplace(setup);
  WriteConfig(ConfigJson(false, false, false));
}

void PluginTest::TearDown() {
  session->UnloadPlugins();
  EXPECT_EQ(DevHost::Faults(), Seq{});
  EXPECT_EQ(DevHost::OutstandingBuffers(), 0u);
  EXPECT_EQ(DevHost::SinkLines(), Seq{});
  session.reset();
  fs::remove_all(serverDir);
  std::error_code ignored;
  fs::remove(fs::path(serverDir).parent_path(), ignored);  // the process's folder, once empty
}

void PluginTest::WriteConfig(const std::string& text) {
  std::ofstream(configPath, std::ios::binary | std::ios::trunc) << text;
}

bool PluginTest::Load() { return DevHost::LoadPlugin("MorrowsetVelde", PluginPath()); }

void PluginTest::LoadWith(const std::string& text) {
  WriteConfig(text);
  ASSERT_TRUE(Load()) << DevHost::LoadErrorOf("MorrowsetVelde");
  DevHost::TakeEvents();
}

void PluginTest::Unload() { DevHost::UnloadPlugin("MorrowsetVelde"); }

Seq PluginTest::Take(const std::vector<Kind>& kinds) { return EventsOf(DevHost::TakeEvents(), kinds); }

void PluginTest::Console(const std::string& line) {
  ASSERT_TRUE(DevHost::RunConsole(line)) << "no console command for: " << line;
}

}  // namespace morrowset::test
