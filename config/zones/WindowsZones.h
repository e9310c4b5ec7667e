// Windows' names of time zones, each with the tz database zone it stands for (CLDR's table).
#pragma once

#include <cstddef>

struct WindowsZone {
  const char* windows;  // "W. Europe Standard Time"
  const char* iana;     // "Europe/Berlin"
};

// Sorted by the Windows name.
extern const WindowsZone kWindowsZones[];
extern const std::size_t kWindowsZoneCount;
