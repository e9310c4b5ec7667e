// morrowset-check on what a hostile or careless hand leaves: nesting past any stack, other
// encodings, absurd zone names, links and folders named like files, a file swapped mid-run.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

namespace fs = std::filesystem;
using CheckEdges = PluginTest;

int Check(const std::string& args, std::string& output) {
  return RunCommand(Quote(ProgramPath("morrowset-check")) + " " + args, output);
}

// Returns the longest line of a text.
std::size_t LongestLine(const std::string& text) {
  std::size_t longest = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    longest = std::max(longest, end - at);
    at = end + 1;
  }
  return longest;
}

// 100,000 levels of nesting, at the top, in a member and in a member given twice: one short line
// for each thing wrong (the checker died of its stack showing such a value).
TEST_F(CheckEdges, NestingDeeperThanAnyStackIsShownCutShort) {
  const std::string deep = std::string(100'000, '[') + std::string(100'000, ']');
  const std::string shown = "[[[[[[[[[...]]]]]]]]]";
  const std::string valid = ConfigJson(false, false, false);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {deep, "the file holds an array, not an object { } with the members \"ForceDay\", \"DayToForce\", ..."},
      {WithMember(valid, "TimeZone", deep), "\"TimeZone\" is " + shown + " (an array)"},
      {WithMember(valid, "ForceDay", deep), "given 2 times; only the last one counts (" + shown + ")"},
  };
  for (const auto& [text, expected] : cases) {
    WriteConfig(text);
    std::string output;
    EXPECT_EQ(Check(Quote(configPath), output), 1) << output.substr(0, 300);
    EXPECT_NE(output.find(expected), std::string::npos) << output.substr(0, 300);
    EXPECT_LT(LongestLine(output), 400u) << output.substr(0, 300);
  }
}

// A file in another encoding is named as such, and its bytes are never echoed raw.
TEST_F(CheckEdges, Utf16IsNamedAndNoNulByteIsEchoed) {
  std::string utf16 = "\xff\xfe";
  for (const char c : ConfigJson(false, false, false)) utf16 += std::string{c, '\0'};
  WriteConfig(utf16);
  std::string output;
  EXPECT_EQ(Check(Quote(configPath), output), 1);
  EXPECT_NE(output.find("the file is UTF-16 text, and the plugin reads UTF-8: save it as UTF-8"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find('\0'), std::string::npos) << output;
  WriteConfig(std::string("{\n  \"ForceDay\": tr\0ue\n}", 21));
  EXPECT_EQ(Check(Quote(configPath), output), 1);
  EXPECT_NE(output.find("not UTF-8 text (it holds NUL bytes)"), std::string::npos) << output;
}

// A zone name far longer than any is refused without a search for the name meant (which took
// 23 s for a megabyte), and shown cut short in --json.
TEST_F(CheckEdges, AZoneNameOfAMegabyteGetsNoSuggestion) {
  const std::string name = "Europe/Berlin" + std::string(1'000'000, 'n');
  WriteConfig(WithMember(ConfigJson(false, true, false), "TimeZone", "\"" + name + "\""));
  std::string output;
  EXPECT_EQ(Check("--json " + Quote(configPath), output), 1);
  EXPECT_EQ(output.find("did you mean"), std::string::npos);
  EXPECT_NE(output.find("\"found\": \"\\\"Europe/Berlinnnnn"), std::string::npos) << output.substr(0, 2000);
  EXPECT_LT(output.size(), 2'200'000u);  // the start-up error names it whole, once; nothing more
}

#if defined(_WIN32)
const char* const kFramework = "ZelApi.dll";
#else
const char* const kFramework = "libZelApi.so";
#endif

// A folder named like the framework is no framework: --init does not take it for a server folder.
TEST_F(CheckEdges, AFolderNamedLikTheFrameworkMakesNoServerFolder) {
  fs::remove(fs::u8path(configPath));
  fs::create_directories(fs::u8path(serverDir) / kFramework);
  std::string output;
  EXPECT_EQ(Check("--init --server-dir " + Quote(serverDir), output), 1);
  EXPECT_NE(output.find("is not a server folder (no " + std::string(kFramework) + " beside TolvApi)"),
            std::string::npos)
      << output;
  EXPECT_FALSE(fs::exists(fs::u8path(configPath)));
}

#if !defined(_WIN32)
// --init never writes through a link: not a dangling config.json link, not a plugin folder that
// leads outside the server folder.
TEST_F(CheckEdges, InitNeverWritesThroughALink) {
  const fs::path server = fs::u8path(serverDir), outside = server.parent_path() / "init-outside";
  fs::remove_all(outside);
  fs::create_directories(outside);
  std::ofstream(server / kFramework) << "the framework";
  fs::remove(fs::u8path(configPath));
  fs::create_symlink(outside / "config.json", fs::u8path(configPath));
  std::string output;
  EXPECT_EQ(Check("--init --server-dir " + Quote(serverDir), output), 1) << output;
  EXPECT_EQ(output.rfind("nothing written: " + configPath + " is a link to a file that does not exist", 0),
            0u)
      << output;
  EXPECT_FALSE(fs::exists(outside / "config.json"));

  const fs::path plugin = fs::u8path(configPath).parent_path();
  fs::remove_all(plugin);
  fs::create_symlink(outside, plugin);
  EXPECT_EQ(Check("--init --server-dir " + Quote(serverDir), output), 1) << output;
  EXPECT_NE(output.find("leads outside the server folder (a link on the way?)"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists(outside / "config.json"));
  EXPECT_EQ(Check("--init --force " + Quote(configPath), output), 0) << output;  // as the admin insists
  EXPECT_TRUE(fs::exists(outside / "config.json"));
  fs::remove(plugin);
  fs::remove_all(outside);
}

// A config.json swapped while the checker runs, among a config, a pipe and a file of 256 MiB:
// every run ends (never waiting on the pipe), reads at most 1 MiB, and reports one of them whole.
TEST_F(CheckEdges, AConfigSwappedDuringTheRunIsReadOnce) {
  const fs::path dir = fs::u8path(configPath).parent_path();
  std::ofstream(dir / "a.json") << ConfigJson(true, false, false);
  std::ofstream(dir / "big.json") << ConfigJson(false, false, false);
  fs::resize_file(dir / "big.json", 256u << 20);
  std::string output;
  ASSERT_EQ(RunCommand("mkfifo " + Quote((dir / "pipe").string()), output), 0);
  std::string loop = "python3 " + Quote(MORROWSET_SWAP_SCRIPT) + " " + Quote(dir.string()) +
                     " a.json big.json pipe & s=$!; for i in $(seq 40); do ulimit -v 400000; timeout 5 " +
                     Quote(ProgramPath("morrowset-check")) + " " + Quote(configPath) +
                     " | head -n 1; echo \"exit=${PIPESTATUS[0]}\"; done; rm " +
                     Quote((dir / "a.json").string()) + "; wait $s";
#if defined(__SANITIZE_ADDRESS__)
  loop.replace(loop.find("ulimit -v 400000; "), 18, "");
#endif
  std::ofstream(dir / "swap.sh") << loop << "\n";
  RunCommand("bash " + Quote((dir / "swap.sh").string()), output);
  int runs = 0;
  for (std::size_t at = 0; at < output.size();) {
    const std::size_t end = std::min(output.find('\n', at), output.size());
    const std::string line = output.substr(at, end - at);
    at = end + 1;
    if (line.rfind("exit=", 0) == 0) {
      ++runs;
      EXPECT_TRUE(line == "exit=0" || line == "exit=1") << line;  // 124: it waited on the pipe
    } else {
      EXPECT_TRUE(line == "OK" ||
                  line.find(" is 268435456 bytes, more than the 1024 KiB") != std::string::npos ||
                  line.find(" is not a file but a pipe") != std::string::npos)
          << line;
    }
  }
  EXPECT_EQ(runs, 40) << output;
}
#endif

}  // namespace
}  // namespace morrowset::test
