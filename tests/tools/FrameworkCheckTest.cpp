// morrowset-check --framework: reading Windows images and matching a plugin's imports against a
// framework's exports, on the built plugin and stand-in, intact, altered and damaged.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "FrameworkCheck.h"
#include "PeImage.h"
#include "DevHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

// The framework-ABI Windows build's binaries: this build's own, or the one beside it.
std::string WindowsBinary(const std::string& name) {
  return std::string(MORROWSET_WINDOWS_BIN_DIR) + "/" + name;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Replaces the one occurrence of from (same length as to) in an image's bytes.
std::string Patched(std::string bytes, const std::string& from, const std::string& to) {
  const std::size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(bytes.find(from, at + 1), std::string::npos) << from << " is there twice";
  EXPECT_EQ(from.size(), to.size());
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

class FrameworkCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin_ = Bytes(WindowsBinary("MorrowsetVelde.dll"));
    framework_ = Bytes(WindowsBinary("ZelApi.dll"));
    if (plugin_.empty() || framework_.empty())
      GTEST_SKIP() << "no framework-ABI Windows build at " << MORROWSET_WINDOWS_BIN_DIR
                   << ": make build-windows first";
  }
  // The report for the plugin against a framework made of these bytes.
  FrameworkReport Compare(const std::string& frameworkBytes) {
    pe::Image plugin, framework;
    std::string why;
    EXPECT_TRUE(pe::Parse(plugin_, plugin, why)) << why;
    EXPECT_TRUE(pe::Parse(frameworkBytes, framework, why)) << why;
    return CompareWithFramework(plugin, framework);
  }

  std::string plugin_;
  std::string framework_;
};

const std::string kParseIntoArray =
    "?ParseIntoArray@FString@@QEBAHAEAV?$TArray@VFString@@VFDefaultAllocator@@@@PEB_W_N@Z";

TEST_F(FrameworkCheck, TheStandInExportsEverythingThePluginImports) {
  const FrameworkReport report = Compare(framework_);
  EXPECT_TRUE(report.importsFramework);
  EXPECT_EQ(report.imported, 8u);
  EXPECT_TRUE(report.missing.empty());
}

// A framework built with another allocator in TArray: the report points at the declaration.
TEST_F(FrameworkCheck, AChangedDeclarationIsNamedWithTheFrameworksExport) {
  const FrameworkReport report = Compare(Patched(framework_, "FDefaultAllocator@@", "FSizedAllocator32@@"));
  ASSERT_EQ(report.missing.size(), 1u);
  const MissingImport& missing = report.missing[0];
  EXPECT_EQ(missing.name, kParseIntoArray);
  EXPECT_EQ(missing.function, "FString::ParseIntoArray");
  EXPECT_EQ(missing.exported,
            "?ParseIntoArray@FString@@QEBAHAEAV?$TArray@VFString@@VFSizedAllocator32@@@@PEB_W_N@Z");
  EXPECT_EQ(missing.ours, "DefaultAllocator");
  EXPECT_EQ(missing.theirs, "SizedAllocator32");
}

TEST_F(FrameworkCheck, AFunctionTheFrameworkLacksAltogether) {
  const FrameworkReport report =
      Compare(Patched(framework_, "?GetApiUtils@ZelApi@@", "?GetApiTools@ZelApi@@"));
  ASSERT_EQ(report.missing.size(), 1u);
  EXPECT_EQ(report.missing[0].function, "ZelApi::GetApiUtils");
  EXPECT_EQ(report.missing[0].exported, "");
}

// The whole command, as an admin runs it: exit 0, 1 with every line, or 2.
TEST_F(FrameworkCheck, TheCommandAnswersWithExactLinesAndExitCodes) {
  const std::string altered = ::testing::TempDir() + "ZelApi.dll";
  std::ofstream(altered, std::ios::binary)
      << Patched(framework_, "FDefaultAllocator@@", "FSizedAllocator32@@");
  const std::string check = Quote(ProgramPath("morrowset-check"));
  const std::string plugin = WindowsBinary("MorrowsetVelde.dll");
  std::string output;
  EXPECT_EQ(
      RunCommand(check + " --framework " + Quote(WindowsBinary("ZelApi.dll")) + " --plugin " + Quote(plugin),
                 output),
      0);
  EXPECT_EQ(output, "OK: " + Shown(WindowsBinary("ZelApi.dll")) +
                        " exports all 8 functions the plugin imports from "
                        "ZelApi.dll\nplugin: " +
                        Shown(plugin) + "\nframework: " + Shown(WindowsBinary("ZelApi.dll")) + "\n");
  EXPECT_EQ(RunCommand(check + " --framework " + Quote(altered) + " --plugin " + Quote(plugin), output), 1);
  EXPECT_EQ(
      output,
      Shown(altered) +
          " lacks 1 of the 8 functions the plugin imports from ZelApi.dll: Windows will refuse "
          "to load the plugin (procedure not found)\n"
          "missing: " +
          kParseIntoArray +
          "\n"
          "  the framework exports FString::ParseIntoArray as "
          "?ParseIntoArray@FString@@QEBAHAEAV?$TArray@VFString@@VFSizedAllocator32@@@@PEB_W_N@Z\n"
          "  they differ where the plugin has \"DefaultAllocator\" and the framework \"SizedAllocator32\"\n"
          "plugin: " +
          Shown(plugin) + "\nframework: " + Shown(altered) + "\n");
  EXPECT_EQ(RunCommand(check + " --framework " + Quote(MORROWSET_BIN_DIR "/config.json") + " --plugin " +
                           Quote(plugin),
                       output),
            1);
  EXPECT_EQ(output, Shown(MORROWSET_BIN_DIR "/config.json") + ": not a Windows image (no MZ header)\n");
  EXPECT_EQ(RunCommand(check + " --framework " + Quote(altered), output), 2);
}

// Files that are no framework, as an admin points at them by mistake: one line each, exit 1,
// and a huge one is read by seeking, in little memory.
TEST_F(FrameworkCheck, WrongFilesGetOneLineAndExit1) {
  namespace fs = std::filesystem;
  const std::string check = Quote(ProgramPath("morrowset-check"));
  const std::string plugin = WindowsBinary("MorrowsetVelde.dll");
  const std::string folder = ::testing::TempDir() + "not-a-dll";
  fs::create_directories(folder);
  const std::pair<std::string, std::string> cases[] = {
    {folder, Shown(folder) + ": a folder, not a DLL\n"},
    {folder + "/missing.dll", Shown(folder + "/missing.dll") + ": no such file\n"},
    // The plugin exports nothing: it is no framework.
    {plugin, Shown(plugin) +
                 ": exports nothing, so it is not the framework; give the server's ZelApi.dll, which "
                 "exports the functions plugins call\n"},
#if !defined(_WIN32)
    {"/dev/zero", "/dev/zero: not a regular file (a device or a pipe), not a DLL\n"},
#endif
  };
  for (const auto& [file, line] : cases) {
    for (const char* option : {" --framework ", " --plugin "}) {
      const bool framework = std::string(option) == " --framework ";
      if (!framework && file == plugin) continue;  // the plugin as the plugin: the check passes
      std::string output;
      const std::string command = check + " --framework " +
                                  Quote(framework ? file : WindowsBinary("ZelApi.dll")) + " --plugin " +
                                  Quote(framework ? plugin : file);
      EXPECT_EQ(RunCommand(command, output), 1) << command;
      EXPECT_EQ(output, line) << command;
    }
  }
#if !defined(_WIN32)
  // 1 GiB: of zeros (a game data file), and the framework's own bytes padded out; under a
  // limit of 400 MB of address space, each is answered after reading its headers only.
  const std::string zeros = ::testing::TempDir() + "huge-zeros.pak";
  const std::string padded = ::testing::TempDir() + "huge-framework.dll";
  std::ofstream(zeros, std::ios::binary).put('\0');
  fs::copy_file(WindowsBinary("ZelApi.dll"), padded, fs::copy_options::overwrite_existing);
  fs::resize_file(zeros, 1ull << 30);
  fs::resize_file(padded, 1ull << 30);
  std::string output;
#if defined(__SANITIZE_ADDRESS__)
  const std::string limit = "";  // AddressSanitizer reserves terabytes of address space up front
#else
  const std::string limit = "ulimit -v 400000; ";
#endif
  const std::string limited = limit + check + " --plugin " + Quote(plugin) + " --framework ";
  EXPECT_EQ(RunCommand(limited + Quote(zeros), output), 1);
  EXPECT_EQ(output, zeros + ": not a Windows image (no MZ header)\n");
  EXPECT_EQ(RunCommand(limited + Quote(padded), output), 0) << output;
  fs::remove(zeros);
  fs::remove(padded);
#endif
}

// --server-dir alone: a server folder that holds ZelApi.dll gets the framework check after the
// config's, and its outcome decides the exit code too.
TEST_F(FrameworkCheck, AServerFolderHoldingTheFrameworkIsCheckedAfterTheConfig) {
  namespace fs = std::filesystem;
  const fs::path server = fs::path(::testing::TempDir()) / "framework-server";
  const fs::path plugin = DevHost::PluginFolder(server.string(), "MorrowsetVelde");
  fs::remove_all(server);
  fs::create_directories(plugin);
  fs::copy_file(MORROWSET_BIN_DIR "/config.json", plugin / "config.json");
  fs::copy_file(WindowsBinary("MorrowsetVelde.dll"), plugin / "MorrowsetVelde.dll");
  const std::string check = Quote(ProgramPath("morrowset-check")) + " --server-dir " + Quote(server.string());
  std::string output;
  // No framework there: the config, then why the framework was not checked, and a warning that
  // this may not be the server folder (so --strict fails).
  EXPECT_EQ(RunCommand(check, output), 0);
  const std::string notChecked =
      "\nframework: not checked: no ZelApi.dll beside TolvApi in " + Shown(server.string()) +
      "\nwarning: " + Shown(server.string()) +
      " does not look like a server folder (no ZelApi.dll beside TolvApi): the server "
      "reads the config.json below its own folder\n";
  EXPECT_EQ(output.substr(output.size() - std::min(output.size(), notChecked.size())), notChecked) << output;
  EXPECT_EQ(RunCommand(check + " --strict", output), 1);
  EXPECT_EQ(RunCommand(check + " --init", output), 0);
  EXPECT_NE(output.find("warning: " + Shown(server.string()) + " does not look like a server folder"),
            std::string::npos);

  // A framework that refuses the plugin is the whole run's verdict, on the first line.

  std::ofstream(server / "ZelApi.dll", std::ios::binary)
      << Patched(framework_, "FDefaultAllocator@@", "FSizedAllocator32@@");
  EXPECT_EQ(RunCommand(check, output), 1);
  EXPECT_EQ(output.substr(0, output.find('\n')),
            Shown(server.string() + "/ZelApi.dll") +
                " lacks 1 of the 8 functions the plugin imports from ZelApi.dll: "
                "Windows will refuse to load the plugin (procedure not found)");
  EXPECT_NE(output.find("\nconfig.json: OK\nForceDay=false\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\nmissing: " + kParseIntoArray + "\n"), std::string::npos) << output;
  EXPECT_EQ(output.find(" lacks ", output.find('\n')), std::string::npos) << "the verdict twice: " << output;

  fs::copy_file(WindowsBinary("ZelApi.dll"), server / "ZelApi.dll", fs::copy_options::overwrite_existing);
  fs::remove(plugin / "MorrowsetVelde.dll");
  EXPECT_EQ(RunCommand(check, output), 0);
  EXPECT_NE(output.find("\nframework: not checked: no plugin DLL at " +
                        Shown(server.string() + "/TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.dll") + "\n"),
            std::string::npos)
      << output;
  fs::copy_file(WindowsBinary("MorrowsetVelde.dll"), plugin / "MorrowsetVelde.dll");
  EXPECT_EQ(RunCommand(check, output), 0);
  EXPECT_NE(output.find("\nOK: " + Shown(server.string() + "/ZelApi.dll") + " exports all 8 functions"),
            std::string::npos)
      << output;
}

// What the reader refuses, with the one line the admin sees.
struct Damage {
  const char* name;
  std::string (*make)(const std::string& image);
  std::string why;
};
void PrintTo(const Damage& damage, std::ostream* os) { *os << damage.name; }

uint32_t PeOffset(const std::string& image) {
  uint32_t offset = 0;
  image.copy(reinterpret_cast<char*>(&offset), 4, 0x3C);
  return offset;
}

class Damaged : public FrameworkCheck, public ::testing::WithParamInterface<Damage> {};

TEST_P(Damaged, IsRefusedWithOneLine) {
  pe::Image image;
  std::string why;
  EXPECT_FALSE(pe::Parse(GetParam().make(framework_), image, why));
  EXPECT_EQ(why, GetParam().why);
}

INSTANTIATE_TEST_SUITE_P(
    Images, Damaged,
    ::testing::Values(Damage{"Empty", [](const std::string&) { return std::string(); },
                             "not a Windows image (no MZ header)"},
                      Damage{"Text", [](const std::string&) { return std::string("{\"ForceDay\": true}"); },
                             "not a Windows image (no MZ header)"},
                      Damage{"CutInTheDosHeader",
                             [](const std::string& image) { return image.substr(0, 0x30); },
                             "truncated: the file ends inside the DOS header"},
                      Damage{"CutInTheHeaders",
                             [](const std::string& image) { return image.substr(0, PeOffset(image) + 30); },
                             "truncated: the file ends inside the optional header"},
                      Damage{"CutInTheExportTable",
                             [](const std::string& image) { return image.substr(0, image.size() / 2); },
                             "truncated: the file ends inside the export directory"},
                      Damage{"ThirtyTwoBit",
                             [](const std::string& image) {
                               std::string bytes = image;
                               const uint32_t pe = PeOffset(image);
                               bytes[pe + 4] = '\x4c';  // machine i386
                               bytes[pe + 5] = '\x01';
                               return bytes;
                             },
                             "a 32-bit image: the server and its plugins are 64-bit"}),
    [](const auto& info) { return std::string(info.param.name); });

// Hundreds of truncations and byte flips of a real DLL: each is read or refused, never a crash
// (the sanitizer build runs this too).
TEST_F(FrameworkCheck, SurvivesTruncationsAndByteFlips) {
  pe::Image image;
  std::string why;
  std::size_t refused = 0;
  for (std::size_t length = 0; length < framework_.size(); length += framework_.size() / 300 + 1)
    refused += !pe::Parse(std::string_view(framework_).substr(0, length), image, why);
  uint64_t seed = 88172645463325252ULL;
  for (int i = 0; i < 400; ++i) {
    std::string bytes = framework_;
    for (int flips = 0; flips < 4; ++flips) {
      seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
      // Flip within the headers and tables, where a reader can go wrong.
      const std::size_t at =
          (seed >> 8) % std::min<std::size_t>(bytes.size(), 0x2000 + (i % 2) * bytes.size());
      bytes[at] = static_cast<char>(bytes[at] ^ (1 << (seed % 8)));
    }
    if (!pe::Parse(bytes, image, why)) {
      EXPECT_FALSE(why.empty());
    }
  }
  EXPECT_GT(refused, 200u);
}

struct Mangled {
  const char* name;
  const char* mangled;
  const char* function;
};
void PrintTo(const Mangled& m, std::ostream* os) { *os << m.name; }
class FunctionNames : public ::testing::TestWithParam<Mangled> {};

TEST_P(FunctionNames, AreReadFromBothManglings) {
  EXPECT_EQ(FunctionName(GetParam().mangled), GetParam().function);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FunctionNames,
    ::testing::Values(
        Mangled{"MsvcFree", "?GetCommands@ZelApi@@YAAEAVICommands@1@XZ", "ZelApi::GetCommands"},
        Mangled{"MsvcNested", "?GetCurrentDir@Tools@ZelApi@@YA?AV?$basic_string@D@std@@XZ",
                "ZelApi::Tools::GetCurrentDir"},
        Mangled{"MsvcConstructor", "??0FString@@QEAA@PEBD@Z", "FString::FString"},
        Mangled{"ItaniumNested", "_ZN6ZelApi5Tools13GetCurrentDirB5cxx11Ev", "ZelApi::Tools::GetCurrentDir"},
        Mangled{"ItaniumConst", "_ZNK7FString14ParseIntoArrayER6TArrayIS_17FDefaultAllocatorEPKDsb",
                "FString::ParseIntoArray"},
        Mangled{"ItaniumConstructor", "_ZN7FStringC1EPKc", "FString::FString"},
        Mangled{"PlainC", "DevHostReportLoadFailure", "DevHostReportLoadFailure"},
        Mangled{"Garbage", "?@@@", "?@@@"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morrowset::test
