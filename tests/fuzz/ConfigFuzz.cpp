// Fuzz target: any bytes as config.json go through the plugin's own reading and the checker's
// diagnosis; the report must say OK or give the error, and name the file, without a crash.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Diagnosis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string path =
      (std::filesystem::temp_directory_path() / "morrowset-config-fuzz.json").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  const morrowset::ConfigReport report = morrowset::Diagnose(path);
  const std::string text = report.Text();
  const bool loaded = report.failure.empty();
  if (loaded != (text.compare(0, 3, "OK\n") == 0)) __builtin_trap();
  if (text.find("file: " + path + "\n") == std::string::npos) __builtin_trap();
  return 0;
}
