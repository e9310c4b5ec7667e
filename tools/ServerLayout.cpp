// What makes a folder a server folder, and where the one an admin meant probably is.
#include "ServerLayout.h"

#include <filesystem>

#include "CommandLine.h"

namespace morrowset {
namespace fs = std::filesystem;

bool IsServerFolder(const std::string& dir) {
  std::error_code error;
  const fs::path folder = fs::u8path(dir);
  return fs::is_directory(folder / "TolvApi", error) && (fs::is_regular_file(folder / "ZelApi.dll", error) ||
                                                         fs::is_regular_file(folder / "libZelApi.so", error));
}

std::string ServerFolderAbove(const std::string& dir) {
  std::error_code error;
  fs::path folder = fs::absolute(fs::u8path(dir), error).lexically_normal();
  if (error) return "";
  if (!folder.has_filename()) folder = folder.parent_path();  // "srv/" ends in an empty name
  for (int depth = 0; depth < 64 && folder.has_relative_path(); ++depth) {
    folder = folder.parent_path();
    if (IsServerFolder(folder.u8string())) return folder.u8string();
  }
  return "";
}

std::string NotAServerFolder(const std::string& dir) {
  if (IsServerFolder(dir)) return "";
  std::error_code error;
  const std::string shown = DisplayPath(dir);
  const fs::path folder = fs::u8path(dir);
  std::string why = !fs::is_directory(folder, error) ? "the folder " + shown + " does not exist"
                    : !fs::is_directory(folder / "TolvApi", error)
                        ? shown + " is not a server folder (no TolvApi in it)"
                        : shown + " is not a server folder (no " + kFrameworkLibrary + " beside TolvApi)";
  const std::string above = ServerFolderAbove(dir);
  if (!above.empty()) why += "; the server folder is probably " + DisplayPath(above);
  return why + "; give --server-dir the folder that holds " + kFrameworkLibrary +
         " beside TolvApi, or --force to write there anyway";
}

}  // namespace morrowset
