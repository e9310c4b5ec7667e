// What the wall clock's platform parts share: the machine's time, and setting the zone.
#pragma once

#include <cstdint>
#include <string>

namespace WallClock::Platform {

// Returns the machine's own time, in nanoseconds since the epoch, whatever the clock is set to.
int64_t RealNowNs();
// Sets the process's time zone from a non-empty zone text; false with why when it is refused.
bool SetZone(const std::string& zone, std::string& why);

}  // namespace WallClock::Platform
