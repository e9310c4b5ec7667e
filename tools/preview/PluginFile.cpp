// Recognises a Morrowset plugin by what it is and what it names: a library that imports from
// the framework, and the build-identity string of a release.
#include "PluginFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "SafeFiles.h"

#if defined(_WIN32)
#include "PeImage.h"
#endif

namespace {

constexpr std::size_t kLargestPlugin = std::size_t{64} << 20;  // far above the plugin's size
constexpr std::string_view kIdentity = "@(#)Morrowset ";

constexpr std::string_view kStandInIdentity = "@(#)Morrowset stand-in ";

// Returns what a file names after its identity mark, up to the string's end, if it holds one.
std::optional<std::string> Named(const std::string& bytes, std::string_view mark) {
  const std::size_t at = bytes.find(mark);
  const std::size_t end = at == std::string::npos ? at : bytes.find('\0', at);
  if (end == std::string::npos) return std::nullopt;
  return bytes.substr(at + mark.size(), end - at - mark.size());
}

#if defined(_WIN32)
// Returns whether the bytes are a 64-bit Windows image.
bool LibraryOfThisPlatform(const std::string& bytes) {
  morrowset::pe::Image image;
  std::string ignored;
  return morrowset::pe::Parse(bytes, image, ignored);
}

// Returns whether the bytes are a 64-bit Windows image that imports from ZelApi.dll.
bool ImportsTheFramework(const std::string& bytes) {
  morrowset::pe::Image image;
  std::string ignored;
  if (!morrowset::pe::Parse(bytes, image, ignored)) return false;
  return std::any_of(image.imports.begin(), image.imports.end(), [](const auto& entry) {
    std::string name = entry.first;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == "zelapi.dll";
  });
}
#else
template <typename T>
bool At(const std::string& bytes, std::uint64_t offset, T& value) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return true;
}

// Returns the file offset of a virtual address, through the loadable segments.
bool FileOffset(const std::string& bytes, std::uint64_t phoff, std::uint16_t phnum, std::uint64_t address,
                std::uint64_t& offset) {
  for (std::uint16_t i = 0; i < phnum; ++i) {
    std::uint32_t type = 0;
    std::uint64_t fileOffset = 0, virtualAddress = 0, size = 0;
    const std::uint64_t at = phoff + std::uint64_t{i} * 56;
    if (!At(bytes, at, type) || !At(bytes, at + 8, fileOffset) || !At(bytes, at + 16, virtualAddress) ||
        !At(bytes, at + 32, size))
      return false;
    if (type == 1 && address >= virtualAddress && address - virtualAddress < size) {
      offset = fileOffset + (address - virtualAddress);
      return true;
    }
  }
  return false;
}

// Returns whether the bytes are a 64-bit shared object of this machine.
bool LibraryOfThisPlatform(const std::string& bytes) {
  std::uint16_t type = 0, machine = 0;
  if (bytes.compare(0, 4,
                    "\x7f"
                    "ELF") != 0 ||
      bytes.size() < 64 || bytes[4] != 2 || bytes[5] != 1 || !At(bytes, 16, type) || !At(bytes, 18, machine))
    return false;
#if defined(__x86_64__)
  if (machine != 62) return false;
#elif defined(__aarch64__)
  if (machine != 183) return false;
#endif
  return type == 3;
}

// Returns whether the bytes are a 64-bit shared object of this machine that needs libZelApi.so.
bool ImportsTheFramework(const std::string& bytes) {
  std::uint16_t phnum = 0;
  std::uint64_t phoff = 0;
  if (!LibraryOfThisPlatform(bytes) || !At(bytes, 32, phoff) || !At(bytes, 56, phnum)) return false;
  // The dynamic section: its needed libraries' names are offsets into its string table.
  std::uint64_t dynamic = 0, dynamicSize = 0, strings = 0;
  for (std::uint16_t i = 0; i < phnum; ++i) {
    std::uint32_t kind = 0;
    const std::uint64_t at = phoff + std::uint64_t{i} * 56;
    if (At(bytes, at, kind) && kind == 2 && At(bytes, at + 8, dynamic) && At(bytes, at + 32, dynamicSize))
      break;
  }
  std::vector<std::uint64_t> needed;
  for (std::uint64_t at = dynamic; dynamicSize >= 16 && at <= dynamic + dynamicSize - 16; at += 16) {
    std::int64_t tag = 0;
    std::uint64_t value = 0;
    if (!At(bytes, at, tag) || !At(bytes, at + 8, value) || tag == 0) break;
    if (tag == 1) needed.push_back(value);
    if (tag == 5 && !FileOffset(bytes, phoff, phnum, value, strings)) return false;
  }
  return strings > 0 && std::any_of(needed.begin(), needed.end(), [&](std::uint64_t name) {
           return strings + name < bytes.size() &&
                  std::strcmp(bytes.c_str() + strings + name, "libZelApi.so") == 0;
         });
}
#endif

}  // namespace

std::string MorrowsetBuild(const std::filesystem::path& library, std::string& why) {
  const morrowset::ReadOnce file = morrowset::ReadFileOnce(library, kLargestPlugin);
  if (file.outcome != morrowset::ReadOnce::Outcome::Read) {
    why = "cannot be read";
    return "";
  }
  return MorrowsetBuildOf(file.bytes, why);
}

std::string MorrowsetBuildOf(const std::string& bytes, std::string& why) {
  const std::optional<std::string> release = Named(bytes, kIdentity);
  if (!release) {
    why = "it names no Morrowset release";
    return "";
  }
  if (!ImportsTheFramework(bytes)) {
    why = "it names a Morrowset release but is no plugin library of the framework";
    return "";
  }
  return "Morrowset " + *release;
}

std::string StandInRefusal(const std::filesystem::path& standIn) {
  std::error_code error;
  if (!std::filesystem::exists(standIn, error)) return "";
  const morrowset::ReadOnce file = morrowset::ReadFileOnce(standIn, kLargestPlugin);
  if (file.outcome != morrowset::ReadOnce::Outcome::Read) return "it cannot be read";
  const std::optional<std::string> release = Named(file.bytes, kStandInIdentity);
  if (!release || !LibraryOfThisPlatform(file.bytes))
    return "it is not Morrowset's stand-in of the framework (it names none), so it was not loaded";
  if (*release != MORROWSET_VERSION)
    return "it is the stand-in of Morrowset " + release->substr(0, 40) + ", not of " MORROWSET_VERSION +
           ", so it was not loaded";
  return "";
}
