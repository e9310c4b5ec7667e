// config.json: the settings it fills and the document it keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "TimeZone.h"

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

// The zone of config.json's optional "TimeZone", resolved by ReadConfig; empty when the member is
// absent, and the calendar policies then take the server's local time.
extern std::unique_ptr<TimeZones::Zone> ConfigTimeZone;

// Returns the config.json path of a server folder: the folder as given, then the literal path.
std::string ConfigPath(const std::string& serverDir);

// Reads the host's config.json into ConfigDocument, Settings and ConfigTimeZone; throws on any
// failure.
void ReadConfig();

// Reads the config.json at path into ConfigDocument, Settings and ConfigTimeZone; throws on
// any failure.
void ReadConfigFile(const std::string& path);

// Returns the start-up error of a "TimeZone" that names no zone of the data compiled in.
std::string UnknownTimeZoneText(const std::string& name);

// Looks up "FollowMonthDayNumber" in ConfigDocument: false when absent, throws when not boolean.
bool FollowMonthDayNumber();
