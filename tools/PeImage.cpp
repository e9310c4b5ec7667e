// A bounds-checked reader of PE32+ export and import tables.
#include "PeImage.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <sstream>

#include "CommandLine.h"

namespace morrowset::pe {
namespace {

constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kMachineI386 = 0x14c;
constexpr uint16_t kMagicPe32 = 0x10b;
constexpr uint16_t kMagicPe32Plus = 0x20b;
constexpr uint32_t kExportDirectory = 0;
constexpr uint32_t kImportDirectory = 1;
constexpr std::size_t kMaxNames = 1 << 20;  // no real image comes near; a corrupt count would

// A failed read: carries the one-line reason up to Parse.
struct Corrupt {
  std::string why;
};

// Where the tables are read from: the bytes of a file in memory, or the file itself, read by
// seeking within a fixed budget, so that a huge file costs no more than a small one.
class Source {
 public:
  virtual ~Source() = default;
  // Returns the file's size in bytes.
  virtual uint64_t Size() const = 0;
  // Copies n bytes from offset into out; the caller has checked they lie within the file.
  virtual void Copy(uint64_t offset, void* out, std::size_t n) = 0;
};

class BytesSource : public Source {
 public:
  explicit BytesSource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  void Copy(uint64_t offset, void* out, std::size_t n) override {
    std::memcpy(out, bytes_.data() + offset, n);
  }

 private:
  std::string_view bytes_;
};

class FileSource : public Source {
 public:
  FileSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  uint64_t Size() const override { return size_; }
  void Copy(uint64_t offset, void* out, std::size_t n) override {
    read_ += n;
    if (read_ > kReadBudget)
      throw Corrupt{"its tables are larger than any plugin's or framework's (more than " +
                    std::to_string(kReadBudget >> 20) + " MB read)"};
#if defined(_WIN32)
    const bool placed = _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    const bool placed = fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
    if (!placed || std::fread(out, 1, n, file_) != n)
      throw Corrupt{"cannot read it: " + std::string(std::strerror(errno))};
  }

 private:
  static constexpr uint64_t kReadBudget = 16u << 20;
  std::FILE* file_;
  uint64_t size_;
  uint64_t read_ = 0;
};

class Reader {
 public:
  explicit Reader(Source& source) : source_(source) {}

  template <typename T>
  T At(uint64_t offset, const char* what) const {
    if (offset > size() || size() - offset < sizeof(T))
      throw Corrupt{std::string("truncated: the file ends inside the ") + what};
    T value;
    source_.Copy(offset, &value, sizeof(T));
    return value;
  }

  // Reads a zero-terminated name at a file offset, a piece at a time.
  std::string NameAt(uint64_t offset, const char* what) const {
    if (offset >= size()) throw Corrupt{std::string("corrupt: the ") + what + " lies outside the file"};
    std::string name;
    char piece[256];
    for (uint64_t at = offset; at < size(); at += sizeof piece) {
      const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(sizeof piece, size() - at));
      source_.Copy(at, piece, n);
      const void* end = std::memchr(piece, '\0', n);
      name.append(piece, end ? static_cast<const char*>(end) - piece : n);
      if (end != nullptr) return name;
      if (name.size() > kMaxNameLength) throw Corrupt{std::string("corrupt: the ") + what + " has no end"};
    }
    throw Corrupt{std::string("truncated: the file ends inside the ") + what};
  }

  uint64_t size() const { return source_.Size(); }

 private:
  static constexpr std::size_t kMaxNameLength = 64 * 1024;
  Source& source_;
};

struct Section {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  uint32_t rawSize;
  uint32_t rawOffset;
};

class ImageReader {
 public:
  explicit ImageReader(Source& source) : file_(source) {}

  void Run(Image& image) {
    if (file_.size() < 2 || file_.At<uint16_t>(0, "DOS header") != 0x5A4D)
      throw Corrupt{"not a Windows image (no MZ header)"};
    const uint32_t pe = file_.At<uint32_t>(0x3C, "DOS header");
    if (file_.At<uint32_t>(pe, "PE signature") != 0x00004550)
      throw Corrupt{"not a PE image (no PE signature)"};
    const uint64_t coff = uint64_t{pe} + 4;
    const uint16_t machine = file_.At<uint16_t>(coff, "COFF header");
    const uint16_t sections = file_.At<uint16_t>(coff + 2, "COFF header");
    const uint16_t optionalSize = file_.At<uint16_t>(coff + 16, "COFF header");
    const uint64_t optional = coff + 20;
    const uint16_t magic = file_.At<uint16_t>(optional, "optional header");
    if (machine == kMachineI386 || magic == kMagicPe32)
      throw Corrupt{"a 32-bit image: the server and its plugins are 64-bit"};
    if (machine != kMachineAmd64 || magic != kMagicPe32Plus)
      throw Corrupt{"not an x64 image (machine " + Hex(machine) + ")"};
    if (optionalSize < 112) throw Corrupt{"corrupt: the optional header is too short"};
    const uint32_t directories = file_.At<uint32_t>(optional + 108, "optional header");
    const uint64_t table = optional + optionalSize;
    for (uint16_t i = 0; i < sections; ++i) {
      const uint64_t at = table + uint64_t{i} * 40;
      sections_.push_back(
          {file_.At<uint32_t>(at + 12, "section table"), file_.At<uint32_t>(at + 8, "section table"),
           file_.At<uint32_t>(at + 16, "section table"), file_.At<uint32_t>(at + 20, "section table")});
    }
    const auto directory = [&](uint32_t index, uint32_t& rva, uint32_t& size) {
      rva = size = 0;
      if (index >= directories || 112 + uint64_t{index + 1} * 8 > optionalSize) return;
      rva = file_.At<uint32_t>(optional + 112 + uint64_t{index} * 8, "data directories");
      size = file_.At<uint32_t>(optional + 116 + uint64_t{index} * 8, "data directories");
    };
    uint32_t rva = 0, size = 0;
    directory(kExportDirectory, rva, size);
    if (rva != 0 && size != 0) ReadExports(rva, image);
    directory(kImportDirectory, rva, size);
    if (rva != 0 && size != 0) ReadImports(rva, image);
  }

 private:
  static std::string Hex(uint32_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
  }

  // Maps a relative virtual address to a file offset through the section holding it.
  uint64_t Offset(uint64_t rva, const char* what) const {
    for (const Section& section : sections_) {
      const uint64_t extent = std::max(section.virtualSize, section.rawSize);
      if (rva >= section.virtualAddress && rva - section.virtualAddress < extent) {
        const uint64_t within = rva - section.virtualAddress;
        if (within >= section.rawSize) break;  // in memory only: nothing on disk to read
        return uint64_t{section.rawOffset} + within;
      }
    }
    throw Corrupt{std::string("corrupt: the ") + what + " points outside every section"};
  }

  void ReadExports(uint32_t rva, Image& image) {
    const uint64_t at = Offset(rva, "export directory");
    const uint32_t count = file_.At<uint32_t>(at + 24, "export directory");
    const uint32_t names = file_.At<uint32_t>(at + 32, "export directory");
    if (count > kMaxNames)
      throw Corrupt{"corrupt: the export directory claims " + std::to_string(count) + " names"};
    if (count == 0) return;
    const uint64_t list = Offset(names, "export name table");
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t name = file_.At<uint32_t>(list + uint64_t{i} * 4, "export name table");
      image.exports.push_back(file_.NameAt(Offset(name, "export name"), "export name"));
    }
  }

  void ReadImports(uint32_t rva, Image& image) {
    uint64_t descriptor = Offset(rva, "import directory");
    for (std::size_t dlls = 0;; ++dlls, descriptor += 20) {
      if (dlls > kMaxNames) throw Corrupt{"corrupt: the import directory has no end"};
      const uint32_t lookup = file_.At<uint32_t>(descriptor, "import directory");
      const uint32_t name = file_.At<uint32_t>(descriptor + 12, "import directory");
      const uint32_t bound = file_.At<uint32_t>(descriptor + 16, "import directory");
      if (lookup == 0 && name == 0 && bound == 0) break;
      auto& names = image.imports[file_.NameAt(Offset(name, "imported DLL's name"), "imported DLL's name")];
      uint64_t thunk = Offset(lookup != 0 ? lookup : bound, "import lookup table");
      for (std::size_t i = 0;; ++i, thunk += 8) {
        if (i > kMaxNames) throw Corrupt{"corrupt: an import lookup table has no end"};
        const uint64_t entry = file_.At<uint64_t>(thunk, "import lookup table");
        if (entry == 0) break;
        if (entry >> 63) {  // by ordinal: no name to compare
          names.push_back("#" + std::to_string(entry & 0xFFFF));
          continue;
        }
        names.push_back(file_.NameAt(Offset((entry & 0x7FFFFFFF) + 2, "imported name"), "imported name"));
      }
    }
  }

  Reader file_;
  std::vector<Section> sections_;
};

// Reads the tables from a source; on failure returns false with why set to one line.
bool ParseFrom(Source& source, Image& image, std::string& why) {
  image = Image{};
  try {
    ImageReader(source).Run(image);
    return true;
  } catch (const Corrupt& corrupt) {
    why = corrupt.why;
  } catch (const std::bad_alloc&) {
    why = "corrupt: its tables do not fit in memory";
  }
  image = Image{};
  return false;
}

}  // namespace

bool Parse(std::string_view bytes, Image& image, std::string& why) {
  BytesSource source(bytes);
  return ParseFrom(source, image, why);
}

bool Read(const std::string& path, Image& image, std::string& why) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file = fs::u8path(path);
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status))
    why = "no such file";
  else if (fs::is_directory(status))
    why = "a folder, not a DLL";
  else if (!fs::is_regular_file(status))
    why = "not a regular file (a device or a pipe), not a DLL";
  const uint64_t size = why.empty() ? fs::file_size(file, error) : 0;
  if (why.empty() && error) why = "cannot read it: " + error.message();
#if defined(_WIN32)
  std::FILE* opened = why.empty() ? _wfopen(file.c_str(), L"rb") : nullptr;
#else
  std::FILE* opened = why.empty() ? std::fopen(file.c_str(), "rb") : nullptr;
#endif
  if (why.empty() && opened == nullptr) why = "cannot open it: " + std::string(std::strerror(errno));
  if (opened != nullptr) {
    FileSource source(opened, size);
    ParseFrom(source, image, why);
    std::fclose(opened);
  }
  if (why.empty()) return true;
  image = Image{};
  why = DisplayPath(path) + ": " + why;
  return false;
}

}  // namespace morrowset::pe
