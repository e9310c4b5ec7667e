// The development server's clock and zone at start-up: --tz, --clock, and the plugin's zone.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <cctz/time_zone.h>

#include "LocalCalendar.h"
#include "Options.h"
#include "WallClock.h"

// Returns the zone the plugin will hold, read by the plugin's own reading code; none when the
// file names none or would not load.
std::optional<cctz::time_zone> PluginZone(const std::string& serverDir);
// Says that the host's times are shown in the plugin's zone, when it names one.
void SayTimesIn(const LocalCalendar& calendar);
// Sets the process's time zone from --tz and reads where the clock starts from --clock, in the calendar's
// zone (the --forecast asked for must fit after it); start stays none where the clock cannot be
// set. Returns 0 or an exit code.
int ReadClock(const ServerOptions& options, const LocalCalendar& calendar,
              std::optional<WallClock::Time>& start);
