// Running the built morrowset-devserver from a test.
#include "ServerRun.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {

std::string RunServer(const std::string& args, const std::string& input, int& status) {
  std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(test.begin(), test.end(), '/', '-');  // a parameterised test's name has one
  const std::string inputFile = testing::TempDir() + "devserver-input-" + test;
  std::ofstream(inputFile) << input;
  std::string output;
  status =
      RunCommand(Quote(ProgramPath("morrowset-devserver")) + " " + args + " < " + Quote(inputFile), output);
  return output;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string ServerFolder(const std::string& name, const std::string& config) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / name;
  const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
  fs::remove_all(dir);
  fs::create_directories(plugin);
  fs::copy_file(PluginPath(), plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  if (!config.empty()) std::ofstream(plugin / "config.json") << config;
  return dir.string();
}

}  // namespace morrowset::test
