// The calendar page's file.
#include "PageFile.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "CommandLine.h"
#include "SafeFiles.h"

namespace fs = std::filesystem;

namespace {

// Returns the path with its links and dot parts resolved, compared as the platform compares
// names (Windows ignores case).
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
#if defined(_WIN32)
  std::wstring text = resolved.native();
  std::transform(text.begin(), text.end(), text.begin(), ::towlower);
  resolved = text;
#endif
  return resolved;
}

bool Inside(const fs::path& path, const fs::path& folder) {
  auto p = path.begin();
  for (auto f = folder.begin(); f != folder.end(); ++f, ++p)
    if (f->empty())
      continue;
    else if (p == path.end() || *p != *f)
      return false;
  return true;
}

// Returns whether the file at path begins as a page of ours does; opens it once, never a pipe.
bool OurPage(const fs::path& path) {
  const morrowset::ReadOnce head = morrowset::ReadFileOnce(path, 1024);
  return head.outcome == morrowset::ReadOnce::Outcome::Read &&
         head.bytes.find(PageFile::kMark) != std::string::npos;
}

// Returns why nothing may replace what is at path, or an empty text when nothing is there or it
// is a page of ours (a link to one is replaced, never written through).
std::string Occupied(const fs::path& path, const std::string& shown) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(path, error))) return "";
  if (!fs::is_regular_file(fs::status(path, error)) || !OurPage(path))
    return shown + " is not a page morrowset-preview wrote; it stays as it is";
  return "";
}

#if defined(_WIN32)
// Returns whether a file name is one of Windows' device names (CON, NUL, COM1, aux.html, ...),
// which name a device in every folder there.
bool DeviceName(const fs::path& name) {
  std::string stem = name.filename().u8string();
  stem = stem.substr(0, stem.find('.'));
  stem.erase(stem.find_last_not_of(' ') + 1);
  std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}
#endif

}  // namespace

fs::path PageFile::Folder() const {
  const fs::path parent = fs::u8path(path_).parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

std::string PageFile::Check() const {
  const fs::path target = fs::u8path(path_);
  const std::string shown = morrowset::DisplayPath(path_);
  if (Inside(Resolved(target), Resolved(fs::u8path(serverDir_) / "TolvApi")))
    return "--html: " + shown + " is inside the server's TolvApi folder; the preview writes nothing there";
#if defined(_WIN32)
  if (DeviceName(target))
    return "--html: " + shown + " is a device name of Windows, not a file; give the page another name";
#endif
  if (const std::string why = Occupied(target, shown); !why.empty()) return "--html: " + why;
  const fs::path folder = Folder();
  std::error_code error;
  if (!fs::is_directory(folder, error))
    return "--html: " + shown + ": the folder " + morrowset::DisplayPath(folder.u8string()) +
           " does not exist";
  // A file of its own, created new and removed again: nothing already there is opened.
  std::string why;
  const fs::path probe =
      morrowset::CreateUniqueFile(folder, target.filename().u8string(), ".writing", "", why);
  if (probe.empty())
    return "--html: " + shown + ": cannot write in " + morrowset::DisplayPath(folder.u8string()) + ": " + why;
  fs::remove(probe, error);
  return "";
}

std::string PageFile::Write(const std::function<void(std::ostream&)>& page) const {
  std::ostringstream text;
  page(text);
  const fs::path target = fs::u8path(path_);
  std::string why;
  const fs::path temporary =
      morrowset::CreateUniqueFile(Folder(), target.filename().u8string(), ".writing", text.str(), why);
  if (temporary.empty())
    return "cannot write the page in " + morrowset::DisplayPath(Folder().u8string()) + ": " + why;
  std::error_code error, ignored;
  // What took the name during the run is left as it is, as before the run.
  why = Occupied(target, morrowset::DisplayPath(path_));
  if (why.empty()) fs::rename(temporary, target, error);
  if (!why.empty() || error) {
    fs::remove(temporary, ignored);
    return !why.empty()
               ? why
               : "cannot put the page in place at " + morrowset::DisplayPath(path_) + ": " + error.message();
  }
  return "";
}
