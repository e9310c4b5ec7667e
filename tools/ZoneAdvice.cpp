// Advice on "TimeZone": the zone meant by an unknown name, and warnings for a known one that is
// likely not what was meant.
#include "DiagnosisParts.h"

#include <cctype>
#include <optional>
#include <regex>

#include "config/zones/TimeZone.h"
#include "config/zones/WindowsZones.h"

namespace morrowset::diagnosis {
namespace {

// Returns a zone name as compared for a near miss: lower case, a space as an underscore.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// Returns the zone of the data an unknown name was likely meant to be, if any: a Windows zone
// name, the same name in another case or with spaces, the place alone ("Berlin"), or a name one
// or two letters off.
std::optional<std::string> NearZone(const std::string& name, bool& windows) {
  windows = false;
  // Names are far shorter: a longer text is no near miss, and comparing it would take long.
  constexpr std::size_t kLongestMeant = 64;
  if (name.size() > kLongestMeant) return std::nullopt;
  for (std::size_t i = 0; i < kWindowsZoneCount; ++i) {
    if (Folded(kWindowsZones[i].windows) == Folded(name)) {
      windows = true;
      return std::string(kWindowsZones[i].iana);
    }
  }
  const std::string folded = Folded(name);
  std::optional<std::string> best;
  std::size_t bestDistance = 3;
  for (const std::string_view zone : TimeZones::Names()) {
    const std::string candidate = Folded(zone);
    const std::size_t slash = candidate.rfind('/');
    const bool place =
        slash != std::string::npos && candidate.compare(slash + 1, std::string::npos, folded) == 0;
    const std::size_t distance = place ? 0 : Distance(folded, candidate);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = std::string(zone);
    }
  }
  return best;
}

// Abbreviations of the data that keep one offset all year, with the place a name like them
// usually means: it keeps daylight saving.
struct FixedAbbreviation {
  const char* name;
  const char* place;
};
constexpr FixedAbbreviation kFixedAbbreviations[] = {
    {"EST", "America/New_York"},        {"MST", "America/Denver"}, {"GMT", "Europe/London"},
    {"Etc/GMT", "Europe/London"},       {"GMT0", "Europe/London"}, {"Greenwich", "Europe/London"},
    {"Etc/Greenwich", "Europe/London"},
};

}  // namespace

// Says what to write instead of a "TimeZone" that names no zone of the data.
std::string ZoneAdvice(const std::string& name) {
  if (name.empty())
    return "\"TimeZone\" is empty: give a zone name such as \"Europe/Berlin\", or leave the member out for "
           "the server's local time";
  bool windows = false;
  const auto meant = NearZone(name, windows);
  if (meant && windows)
    return Quoted(name) + " is Windows' name for the zone; the tz database calls it " + Quoted(*meant);
  if (meant) return "did you mean " + Quoted(*meant) + "?";
  return "zones are named Area/Place, as \"America/Chicago\" or \"Asia/Tokyo\", or \"UTC\"; "
         "morrowset-check --zones lists them all";
}

// Adds the warnings for a zone that loads but likely is not what was meant.
void ZoneWarnings(const std::string& zone, std::vector<std::string>& warnings) {
  if (!Settings.FollowWeekCycle && !FollowMonthDayNumber())
    warnings.push_back(
        "\"TimeZone\" is set, but neither forceweekday (\"FollowWeekCycle\") nor "
        "forcemonthday (\"FollowMonthDayNumber\") is on: nothing reads it");
  for (const FixedAbbreviation& fixed : kFixedAbbreviations)
    if (zone == fixed.name)
      warnings.push_back(Quoted(zone) + " keeps one offset all year, with no daylight saving; for the time " +
                         "people keep there, write " + Quoted(fixed.place));
  std::smatch match;
  if (std::regex_match(zone, match, std::regex("Etc/GMT([+-])([1-9]\\d*)"))) {
    const bool plus = match[1] == "+";
    const std::string hours = match[2].str();
    const std::string mirror = std::string("Etc/GMT") + (plus ? "-" : "+") + hours;
    std::string line = Quoted(zone) + " is " + hours + " hours " + (plus ? "behind" : "ahead of") +
                       " UTC (UTC" + (plus ? "-" : "+") + hours + "): the Etc zones' sign is inverted; ";
    // The database has no zone 13 or 14 hours behind UTC: there, say which place keeps this offset.
    if (TimeZones::Known(mirror))
      line += "for UTC" + match[1].str() + hours + " write " + Quoted(mirror);
    else
      line += "no zone is " + hours + " hours behind UTC, and " +
              Quoted(hours == "13" ? "Pacific/Tongatapu" : "Pacific/Kiritimati") + " keeps UTC+" + hours;
    warnings.push_back(line);
  }
}

}  // namespace morrowset::diagnosis
