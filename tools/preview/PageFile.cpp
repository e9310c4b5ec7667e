// The calendar page's file.
#include "PageFile.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "CommandLine.h"

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

// Returns whether the file at path begins as a page of ours does.
bool OurPage(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  char head[1024];
  file.read(head, sizeof head);
  return std::string(head, static_cast<std::size_t>(file.gcount())).find(PageFile::kMark) !=
         std::string::npos;
}

}  // namespace

fs::path PageFile::Temporary() const {
  const fs::path target = fs::u8path(path_);
  return target.parent_path() / fs::u8path("." + target.filename().u8string() + ".writing");
}

std::string PageFile::Check() const {
  const fs::path target = fs::u8path(path_);
  const std::string shown = morrowset::DisplayPath(path_);
  if (Inside(Resolved(target), Resolved(fs::u8path(serverDir_) / "TolvApi")))
    return "--html: " + shown + " is inside the server's TolvApi folder; the preview writes nothing there";
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status) || !OurPage(target))
      return "--html: " + shown + " is not a page morrowset-preview wrote; it stays as it is";
  }
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (!fs::is_directory(folder, error))
    return "--html: " + shown + ": the folder " + morrowset::DisplayPath(folder.u8string()) +
           " does not exist";
  std::ofstream probe(Temporary(), std::ios::binary);
  const bool writable = static_cast<bool>(probe);
  probe.close();
  fs::remove(Temporary(), error);
  if (!writable) return "--html: " + shown + ": cannot write in " + morrowset::DisplayPath(folder.u8string());
  return "";
}

std::string PageFile::Write(const std::function<void(std::ostream&)>& page) const {
  const fs::path temporary = Temporary();
  std::error_code error;
  {
    std::ofstream file(temporary, std::ios::binary);
    page(file);
    file.close();
    if (!file) {
      fs::remove(temporary, error);
      return "cannot write " + morrowset::DisplayPath(temporary.u8string());
    }
  }
  fs::rename(temporary, fs::u8path(path_), error);
  if (error) {
    fs::remove(temporary, error);
    return "cannot put the page in place at " + morrowset::DisplayPath(path_) + ": " + error.message();
  }
  return "";
}
