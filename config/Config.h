// config.json: the settings it fills and the document it keeps.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "zones/TimeZone.h"

// The six settings of config.json, in the order start-up reads them, each false or 0 until
// ReadConfig writes it.
struct SettingValues {
  bool ForceDay = false;
  int32_t DayToForce = 0;
  bool FollowWeekCycle = false;
  bool ResetWhenReachDay = false;
  int32_t DayToReset = 0;
  int32_t DayToSetWhenReset = 0;
};
// The settings the plugin holds.
extern SettingValues Settings;

// The parsed config.json, null until ReadConfig fills it.
extern nlohmann::json ConfigDocument;

// The zone of config.json's optional "TimeZone", resolved by ReadConfig; empty when the member is
// absent, and the calendar policies then take the server's local time.
extern std::unique_ptr<TimeZones::Zone> ConfigTimeZone;

// A start-up failure of this reading code's own, beside the JSON library's exceptions: what()
// is the exact text start-up ends with; the fields say which member failed and what was found,
// for the tools that explain it.
class ConfigError : public std::runtime_error {
 public:
  enum class Kind {
    Unreadable,   // the file cannot be opened or is a folder: "Can't open config.json"
    UnknownZone,  // "TimeZone" names no zone of the data compiled in
  };
  ConfigError(Kind kind, std::string member, std::string found, const std::string& what)
      : std::runtime_error(what), kind(kind), member(std::move(member)), found(std::move(found)) {}
  Kind kind;
  std::string member;  // the member at fault, empty for the file as a whole
  std::string found;   // the member's value as the file has it
};

// Returns the config.json path of a server folder: the folder as given, then the literal path.
std::string ConfigPath(const std::string& serverDir);

// Reads the host's config.json into ConfigDocument, Settings and ConfigTimeZone; throws on any
// failure.
void ReadConfig();

// Reads the config.json at path into ConfigDocument, Settings and ConfigTimeZone; throws on
// any failure.
void ReadConfigFile(const std::string& path);

// Reads config.json's text from a stream opened on it, as ReadConfigFile does once it has
// opened the file; throws on any failure.
void ReadConfigStream(std::istream& file);

// Returns the start-up error of a config.json that cannot be opened or is a folder.
ConfigError UnreadableConfig(const std::string& path);

// Returns the start-up error of a "TimeZone" that names no zone of the data compiled in.
std::string UnknownTimeZoneText(const std::string& name);

// Looks up "FollowMonthDayNumber" in ConfigDocument: false when absent, throws when not boolean.
bool FollowMonthDayNumber();
