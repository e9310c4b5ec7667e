// The durations admins write on a command line or a console (90s, 2h30m, 3d), read and written back.
#pragma once

#include <chrono>
#include <string>

namespace cli {

// Examples of the durations ParseDuration reads, for usage texts.
inline constexpr const char* kDurationExamples = "90s, 5m, 2h, 3d, 1d12h";
// The longest duration ParseDuration reads: ten years.
inline constexpr std::chrono::seconds kLongestDuration{3660LL * 86400};

// Parses a duration: whole numbers with d, h, m or s, each unit once and the larger first (90s,
// 2h30m, 3d), up to kLongestDuration; false for anything else.
bool ParseDuration(const std::string& text, std::chrono::seconds& out);
// Returns a duration as ParseDuration reads it, largest unit first: "1d12h", "4m30s", "0s".
std::string DurationText(std::chrono::seconds d);

}  // namespace cli
