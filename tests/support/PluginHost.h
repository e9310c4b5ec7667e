// Test fixture: the built plugin loaded into the development host, with domain assertions.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "DevHost.h"
#include "Simulation.h"

namespace morrowset::test {

using Seq = std::vector<std::string>;

// A config.json with the given switches; numbers as given.
std::string ConfigJson(bool forceDay, bool weekDay, bool resetDays, const std::string& monthDay = "",
                       int dayToForce = 5, int dayToReset = 100, int dayToSetWhenReset = 1);

// The same config.json text with one more member: name, then value as JSON text.
std::string WithMember(const std::string& json, const std::string& name, const std::string& value);

using Kind = DevHost::Event::Kind;

// Returns the names of the events of the given kinds, in order ("day 12", "free", ...).
Seq EventsOf(const DevHost::Events& events, const std::vector<Kind>& kinds);

// Returns the path of the built plugin library.
std::string PluginPath();

// Each test gets a fresh host and a fresh server folder; the plugin is loaded on demand.
class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes config.json into the server folder (raw bytes).
  void WriteConfig(const std::string& text);
  // Loads the plugin on the current config.json; returns whether it is loaded.
  bool Load();
  // Loads the plugin with config.json holding text, then forgets the events of start-up.
  void LoadWith(const std::string& text);
  void Unload();

  // Takes the recorded events of the given kinds, by name.
  Seq Take(const std::vector<Kind>& kinds);
  // Takes the registry operations recorded since the last take.
  Seq TakeRegistry() { return Take({Kind::Register, Kind::Unregister}); }
  // Takes the day writes and network updates recorded since the last take.
  Seq TakeGame() { return Take({Kind::Day, Kind::Update, Kind::Dawn}); }

  // Runs one console line through the registered command; fails the test if none matched.
  void Console(const std::string& line);

  std::string serverDir;
  std::string configPath;
  std::optional<Simulation> session;  // open from SetUp to TearDown, events kept
};

// Asserts the day as the server holds it and as clients see it.
#define EXPECT_DAY(server, clients)                 \
  do {                                              \
    EXPECT_EQ(DevHost::Day(), (server));            \
    EXPECT_EQ(DevHost::ReplicatedDay(), (clients)); \
  } while (0)

}  // namespace morrowset::test
