// One version everywhere: the tools' --version, and on Windows the files' version resources.
#include <fstream>
#include <regex>

#include "support/PluginHost.h"
#include "support/ServerProcess.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace morrowset::test {
namespace {

TEST(Version, ToolsPrintTheReleaseVersion) {
  for (const char* tool : {"morrowset-check", "morrowset-devserver", "morrowset-preview"}) {
    std::string out;
    EXPECT_EQ(RunCommand(Quote(ProgramPath(tool)) + " --version", out), 0) << tool;
    EXPECT_EQ(out, std::string(tool) + " " MORROWSET_VERSION "\n");
  }
}

// The changelog's first release is the version shipped, with its date.
TEST(Version, TheChangelogOpensWithTheShippedVersion) {
  std::ifstream changelog(MORROWSET_SOURCE_DIR "/CHANGELOG.md");
  std::string line;
  while (std::getline(changelog, line) && line.rfind("## ", 0) != 0) {
  }
  EXPECT_TRUE(std::regex_match(line, std::regex("## " MORROWSET_VERSION R"( \(\d{4}-\d\d-\d\d\))"))) << line;
}

#if defined(_WIN32)
// Returns a string of the file's version resource, as File Properties shows it.
std::string VersionString(const std::string& file, const std::string& name) {
  DWORD ignored = 0;
  std::string data(GetFileVersionInfoSizeA(file.c_str(), &ignored), '\0');
  if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
    return "<no version resource>";
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), ("\\StringFileInfo\\040904B0\\" + name).c_str(),
                      reinterpret_cast<void**>(&value), &length))
    return "<no " + name + ">";
  return std::string(value, length > 0 ? length - 1 : 0);
}

TEST(Version, WindowsFilesCarryTheVersionResource) {
  for (const std::string& file : {PluginPath(), ProgramPath("morrowset-check"),
                                  ProgramPath("morrowset-devserver"), ProgramPath("morrowset-preview")}) {
    EXPECT_EQ(VersionString(file, "ProductName"), "Morrowset") << file;
    EXPECT_EQ(VersionString(file, "ProductVersion"), MORROWSET_VERSION) << file;
    EXPECT_EQ(VersionString(file, "FileVersion"), MORROWSET_VERSION) << file;
    EXPECT_NE(VersionString(file, "FileDescription").rfind("Morrowset", 0), std::string::npos) << file;
  }
}
#endif

}  // namespace
}  // namespace morrowset::test
