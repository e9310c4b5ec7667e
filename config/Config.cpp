// Reads config.json into the settings, with the JSON library's own error texts.
#include "Config.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

SettingValues Settings;

nlohmann::json ConfigDocument;
std::unique_ptr<TimeZones::Zone> ConfigTimeZone;

namespace {

// Converts a member to a day number. Integers keep their low 32 bits (stored files rely on the
// wrap); floating-point values truncate toward zero and clamp to the 32-bit range, because a
// plain conversion of an out-of-range double is undefined.
int32_t ReadDayNumber(const nlohmann::json& value) {
  if (!value.is_number_float()) return value.get<int32_t>();
  const double number = std::trunc(value.get<double>());
  if (number <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (number >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(number);
}

}  // namespace

std::string ConfigPath(const std::string& serverDir) {
  return serverDir + "/TolvApi/Plugins/MorrowsetVelde/config.json";
}

ConfigError UnreadableConfig(const std::string& path) {
  return ConfigError(ConfigError::Kind::Unreadable, "", path, "Can't open config.json");
}

void ReadConfigFile(const std::string& path) {
  std::ifstream file(path);
  // A directory opens as a stream on some platforms but can never be read as the file.
  std::error_code ignored;
  if (!file.is_open() || std::filesystem::is_directory(path, ignored)) throw UnreadableConfig(path);
  ReadConfigStream(file);
}

void ReadConfigStream(std::istream& file) {
  file >> ConfigDocument;

  Settings.ForceDay = ConfigDocument["ForceDay"].get<bool>();
  Settings.DayToForce = ReadDayNumber(ConfigDocument["DayToForce"]);
  Settings.FollowWeekCycle = ConfigDocument["FollowWeekCycle"].get<bool>();
  Settings.ResetWhenReachDay = ConfigDocument["ResetWhenReachDay"].get<bool>();
  Settings.DayToReset = ReadDayNumber(ConfigDocument["DayToReset"]);
  Settings.DayToSetWhenReset = ReadDayNumber(ConfigDocument["DayToSetWhenReset"]);

  // Optional; looked up without inserting anything. A present value must be a string (null
  // included: it is not the same as leaving the member out).
  ConfigTimeZone.reset();
  const auto zone = ConfigDocument.find("TimeZone");
  if (zone == ConfigDocument.end()) return;
  const std::string name = zone->get<std::string>();
  ConfigTimeZone = TimeZones::Zone::Load(name);
  if (!ConfigTimeZone)
    throw ConfigError(ConfigError::Kind::UnknownZone, "TimeZone", name, UnknownTimeZoneText(name));
}

std::string UnknownTimeZoneText(const std::string& name) {
  return "\"TimeZone\": " + nlohmann::json(name).dump() + " is not a known time zone (tz database " +
         TimeZones::DataVersion() +
         "); give its name as the tz database spells it, such as \"Europe/Berlin\"";
}

bool FollowMonthDayNumber() { return ConfigDocument.value("FollowMonthDayNumber", false); }
