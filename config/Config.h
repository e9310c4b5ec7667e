// config.json: the settings it fills and the document it keeps.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

// The six settings, false or 0 until ReadConfig writes them, in this order.
namespace Settings {
extern bool ForceDay;
extern int32_t DayToForce;
extern bool FollowWeekCycle;
extern bool ResetWhenReachDay;
extern int32_t DayToReset;
extern int32_t DayToSetWhenReset;
}  // namespace Settings

// The parsed config.json, null until ReadConfig fills it.
extern nlohmann::json ConfigDocument;

// Returns the config.json path of a server folder: the folder as given, then the literal path.
std::string ConfigPath(const std::string& serverDir);

// Reads the host's config.json into ConfigDocument and Settings; throws on any failure.
void ReadConfig();

// Reads the config.json at path into ConfigDocument and Settings; throws on any failure.
void ReadConfigFile(const std::string& path);

// Looks up "FollowMonthDayNumber" in ConfigDocument: false when absent, throws when not boolean.
bool FollowMonthDayNumber();
