// Serves cctz the zone files compiled into the program, and nothing else: a name the data
// lacks is unknown, never looked up on the machine.
#include "TimeZone.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <cctz/zone_info_source.h>

#include "ZoneData.h"
#include "time_zone_if.h"  // cctz's own, for a zone outside its cache

namespace {

const ZoneEntry* Find(std::string_view name) {
  const ZoneEntry* end = kZoneEntries + kZoneEntryCount;
  const ZoneEntry* found = std::lower_bound(
      kZoneEntries, end, name, [](const ZoneEntry& entry, std::string_view key) { return entry.name < key; });
  return found != end && found->name == name ? found : nullptr;
}

// One compiled zone file, read as cctz reads a file.
class CompiledZone : public cctz::ZoneInfoSource {
 public:
  explicit CompiledZone(const ZoneEntry& entry) : at_(kZoneBytes + entry.offset), left_(entry.size) {}
  std::size_t Read(void* to, std::size_t size) override {
    size = std::min(size, left_);
    std::memcpy(to, at_, size);
    at_ += size;
    left_ -= size;
    return size;
  }
  int Skip(std::size_t offset) override {
    if (offset > left_) return -1;
    at_ += offset;
    left_ -= offset;
    return 0;
  }
  std::string Version() const override { return kZoneDataVersion; }

 private:
  const unsigned char* at_;
  std::size_t left_;
};

std::unique_ptr<cctz::ZoneInfoSource> CompiledZones(
    const std::string& name,
    const std::function<std::unique_ptr<cctz::ZoneInfoSource>(const std::string&)>&) {
  const ZoneEntry* entry = Find(name);
  return entry ? std::make_unique<CompiledZone>(*entry) : nullptr;
}

}  // namespace

namespace cctz_extension {
ZoneInfoSourceFactory zone_info_source_factory = CompiledZones;
}  // namespace cctz_extension

namespace TimeZones {

const char* DataVersion() { return kZoneDataVersion; }

std::vector<std::string_view> Names() {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < kZoneEntryCount; ++i) names.emplace_back(kZoneEntries[i].name);
  return names;
}

bool Known(std::string_view name) { return Find(name) != nullptr; }

Zone::Zone(std::string name, std::unique_ptr<cctz::TimeZoneIf> zone)
    : name_(std::move(name)), zone_(std::move(zone)) {}

Zone::~Zone() = default;

std::unique_ptr<Zone> Zone::Load(const std::string& name) {
  if (!Known(name)) return nullptr;
  std::unique_ptr<cctz::TimeZoneIf> zone = cctz::TimeZoneIf::Make(name);
  if (!zone) return nullptr;
  return std::unique_ptr<Zone>(new Zone(name, std::move(zone)));
}

cctz::civil_second Zone::Local(std::chrono::system_clock::time_point t) const {
  return zone_->BreakTime(std::chrono::time_point_cast<std::chrono::seconds>(t)).cs;
}

bool Load(const std::string& name, cctz::time_zone& zone) {
  // cctz reads some names itself ("localtime", fixed offsets): only the data's own reach it.
  return Known(name) && cctz::load_time_zone(name, &zone);
}

}  // namespace TimeZones
