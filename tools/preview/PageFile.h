// Where the calendar page goes: checked before the run, written whole or not at all.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

class PageFile {
 public:
  // Takes the page's path as given and the server folder.
  PageFile(std::string path, const std::string& serverDir) : path_(std::move(path)), serverDir_(serverDir) {}
  // Returns why the page may not go there, or an empty text: never below the server's TolvApi/,
  // never a device name, never over a file that is not a page of ours, only into a folder that
  // exists and takes new files.
  std::string Check() const;
  // Writes the page into a file created new beside its path, then renames it over its path (never
  // writing through a link or into a file already there); returns an empty text or why not,
  // leaving what was there whole.
  std::string Write(const std::function<void(std::ostream&)>& page) const;
  const std::string& Path() const { return path_; }

  // What every page of ours holds in its first kilobyte.
  static constexpr const char* kMark = "<title>Morrowset preview";

 private:
  // Returns the folder the page goes into.
  std::filesystem::path Folder() const;
  std::string path_;
  std::string serverDir_;
};
