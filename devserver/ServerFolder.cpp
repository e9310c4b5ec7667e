// Makes, checks and removes the development server's folder.
#include "ServerFolder.h"

#include <filesystem>
#include <iostream>
#include <random>

#include "Control.h"

namespace fs = std::filesystem;

std::string RandomHex(int digits) {
  std::random_device random;
  const char* hex = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < digits; ++i) text += hex[random() % 16];
  return text;
}

namespace {

// Makes a fresh server folder with the built plugin and its default config.json installed.
std::string MakeServerDir() {
  const fs::path bin = DevHost::ProgramFolder();
  fs::path folder;
  do {
    folder = fs::temp_directory_path() / ("morrowset-server-" + RandomHex(8));
  } while (!fs::create_directory(folder));
  const fs::path plugin = DevHost::PluginFolder(folder.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  fs::copy_file(bin / DevHost::LibraryFileName("MorrowsetVelde"),
                plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  fs::copy_file(bin / "config.json", plugin / "config.json");
  return folder.string();
}

}  // namespace

// Makes a fresh server folder unless one was given, and checks it; 0 or an exit code.
int PrepareServerFolder(ServerOptions& options, bool& fresh) {
  fresh = options.serverDir.empty();
  try {
    if (fresh) options.serverDir = MakeServerDir();
  } catch (const std::exception& error) {
    std::cerr << "morrowset-devserver: " << error.what() << "\n";
    return 1;
  }
  if (!fs::is_directory(options.serverDir)) {
    std::cerr << "morrowset-devserver: no such server folder: " << options.serverDir << "\n";
    return 1;
  }
  return 0;
}

// Removes the server folder if it was made for this run alone.
void RemoveFreshFolder(const ServerOptions& options, bool fresh) {
  if (!fresh) return;
  std::error_code ignored;
  fs::remove_all(options.serverDir, ignored);
}
