// Time zones by their tz database names, from the zone data compiled into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <cctz/time_zone.h>

namespace TimeZones {

// Returns the release of the tz database compiled in ("2026f").
const char* DataVersion();
// Returns every zone and link name of the data, sorted.
std::vector<std::string_view> Names();
// Returns whether name is a zone or link of the data, spelt exactly as the database spells it.
bool Known(std::string_view name);
// Loads a known zone into zone; returns false, leaving zone alone, for any other name.
bool Load(const std::string& name, cctz::time_zone& zone);

}  // namespace TimeZones
