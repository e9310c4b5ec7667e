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
  // never over a file that is not a page of ours, only into a folder that exists and takes files.
  std::string Check() const;
  // Writes the page beside its path and puts it in place at once; returns an empty text or why not,
  // leaving what was there whole.
  std::string Write(const std::function<void(std::ostream&)>& page) const;
  const std::string& Path() const { return path_; }

  // What every page of ours holds in its first kilobyte.
  static constexpr const char* kMark = "<title>Morrowset preview";

 private:
  std::filesystem::path Temporary() const;
  std::string path_;
  std::string serverDir_;
};
