// The tz database compiled in: each zone and link name with its zone file, sorted by name.
#pragma once

#include <cstddef>
#include <cstdint>

// One name of the database and where its compiled zone file lies in kZoneBytes.
struct ZoneEntry {
  const char* name;
  uint32_t offset;
  uint32_t size;
};

// The release of the tz database the data comes from ("2026f").
extern const char kZoneDataVersion[];
// The compiled zone files, one after another.
extern const unsigned char kZoneBytes[];
// Every name, sorted by byte value.
extern const ZoneEntry kZoneEntries[];
extern const std::size_t kZoneEntryCount;
