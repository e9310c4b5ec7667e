// Reads and writes the durations admins write: whole numbers with d, h, m or s.
#include "Duration.h"

#include <cctype>
#include <iterator>
#include <utility>

namespace cli {

bool ParseDuration(const std::string& text, std::chrono::seconds& out) {
  // One or more parts, each a number and a unit, the larger units first: 90s, 2h30m, 1d.
  static const std::pair<char, long long> kUnits[] = {{'d', 86400}, {'h', 3600}, {'m', 60}, {'s', 1}};
  long long total = 0;
  std::size_t i = 0, unit = 0;
  while (i < text.size()) {
    long long number = 0;
    const std::size_t from = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - from < 9)
      number = number * 10 + (text[i++] - '0');
    if (i == from || i == text.size()) return false;
    while (unit < std::size(kUnits) && kUnits[unit].first != text[i]) ++unit;
    if (unit == std::size(kUnits)) return false;  // not a unit, or one out of order or repeated
    total += number * kUnits[unit++].second;
    ++i;
  }
  if (text.empty() || total > kLongestDuration.count()) return false;
  out = std::chrono::seconds(total);
  return true;
}

std::string DurationText(std::chrono::seconds d) {
  const long long s = d.count();
  std::string text;
  if (s / 86400) text += std::to_string(s / 86400) + "d";
  if (s % 86400 / 3600) text += std::to_string(s % 86400 / 3600) + "h";
  if (s % 3600 / 60) text += std::to_string(s % 3600 / 60) + "m";
  if (s % 60 || text.empty()) text += std::to_string(s % 60) + "s";
  return text;
}

}  // namespace cli
