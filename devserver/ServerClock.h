// The development server's clock and zone at start-up: --tz, --clock, and the plugin's zone.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <cctz/time_zone.h>

#include "Options.h"

// Returns the zone the plugin will hold, read by the plugin's own reading code; none when the
// file names none or would not load.
std::optional<cctz::time_zone> PluginZone(const std::string& serverDir);
// Prints the host's times in zone from now on, and says so.
void ShowTimesIn(const cctz::time_zone& zone);
// Sets the time zone and the wall clock from the options (a forecast of the given length stands
// still); returns 0 or an exit code.
int SetUpClock(const ServerOptions& options, std::chrono::seconds forecast,
               const std::optional<cctz::time_zone>& pluginZone);
