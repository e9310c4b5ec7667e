// Files the admin tools read and write without a planted name redirecting them: one open per
// read, checked on what was opened; writes only into files created new, never through a link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace morrowset {

// What one open of a file found.
struct ReadOnce {
  enum class Outcome {
    Read,        // bytes holds the file's first bytes (all of them when the file is no longer)
    Missing,     // nothing at the path, or a folder on the way is missing
    Folder,      // the path names a folder
    NotAFile,    // a pipe, a device or a socket: never read, never waited on
    Unreadable,  // it exists but cannot be opened or read (permissions, a lock)
  };
  Outcome outcome = Outcome::Unreadable;
  std::string bytes;
  std::uintmax_t size = 0;  // the opened file's size, when Read
};

// Opens the file at path once (a link to a file is followed; what it opened is checked
// on the open file, not by its name again), and reads at most limit bytes from it.
ReadOnce ReadFileOnce(const std::filesystem::path& path, std::size_t limit);

// Creates the file at path, new (never over anything there, never through a link, a dangling
// one included), and writes bytes into it; returns an empty text or the system's reason. The
// file is removed again when it could not be written whole.
std::string CreateNewFile(const std::filesystem::path& path, const std::string& bytes);

// Creates a file of a name of its own in folder ("." + stem + "." + a random number + suffix),
// new as CreateNewFile does, with bytes; returns its path, or an empty path with why set.
std::filesystem::path CreateUniqueFile(const std::filesystem::path& folder, const std::string& stem,
                                       const std::string& suffix, const std::string& bytes, std::string& why);

}  // namespace morrowset
