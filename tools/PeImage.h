// Reads the export and import tables of a 64-bit Windows image (PE32+) from its bytes, on any
// platform, refusing anything it cannot read completely: never a crash on a bad file.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace morrowset::pe {

// What a readable 64-bit image exports and imports by name.
struct Image {
  std::vector<std::string> exports;                         // names in the export directory
  std::map<std::string, std::vector<std::string>> imports;  // DLL name (as written) -> names
};

// Parses the bytes of a file; on failure returns false with why set to one line.
bool Parse(std::string_view bytes, Image& image, std::string& why);

// Reads and parses a file; on failure returns false with why naming the file.
bool Read(const std::string& path, Image& image, std::string& why);

}  // namespace morrowset::pe
