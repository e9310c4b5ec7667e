// morrowset-preview end to end: the built program on a server folder with the built plugin.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "PeImage.h"
#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

namespace fs = std::filesystem;

const std::string kBerlinWeekdays =
    WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\"");

// A server folder as an admin has it: the plugin and its config, another plugin, the server's
// own framework. The other plugin and the framework are decoys that mark it if they are loaded.
std::string ServerFolder(const std::string& name, const std::string& config) {
  const fs::path dir = fs::path(testing::TempDir()) / name;
  fs::remove_all(dir);
  const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  fs::copy_file(PluginPath(), plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  std::ofstream(plugin / "config.json") << config;
  const fs::path other = DevHost::PluginFolder(dir.string(), "OtherPlugin");
  fs::create_directories(other);
  fs::copy_file(MORROWSET_MARKER_LIBRARY, other / DevHost::LibraryFileName("OtherPlugin"));
#if defined(_WIN32)
  fs::copy_file(MORROWSET_MARKER_LIBRARY, dir / "ZelApi.dll");
#else
  fs::copy_file(MORROWSET_MARKER_LIBRARY, dir / "libZelApi.so");
  fs::copy_file(MORROWSET_MARKER_LIBRARY, plugin / "libZelApi.so");
#endif
  return dir.string();
}

// Every file below a folder with its size and time of last change.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(const std::string& dir) {
  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
  return files;
}

// Runs a program of ours from inside the server folder, as an admin does; returns its exit status.
int InServerFolder(const std::string& dir, const std::string& program, const std::string& args,
                   std::string& out) {
#if defined(_WIN32)
  const std::string cd = "cd /d " + Quote(dir) + " && ";
#else
  const std::string cd = "cd " + Quote(dir) + " && ";
#endif
  return RunCommand(cd + Quote(ProgramPath(program)) + " " + args, out);
}

int Preview(const std::string& dir, const std::string& args, std::string& out) {
  return InServerFolder(dir, "morrowset-preview", "--server-dir . " + args, out);
}

std::vector<std::string> LinesStartingWith(const std::string& out, const std::string& start) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < out.size();) {
    std::size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    std::string line = out.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(start, 0) == 0) lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

// Across Berlin's change to summer time: one line per local date, a 23-hour Sunday, and the
// plugin's own build named; nothing else of the folder is loaded and nothing in it changes.
TEST(Preview, OneLinePerDateRunsOnlyOurPluginAndLeavesTheServerFolderAlone) {
  const std::string dir = ServerFolder("preview-berlin", kBerlinWeekdays);
  const auto before = Snapshot(dir);
  const std::string page = testing::TempDir() + "preview-berlin.html";
  std::string out;
  ASSERT_EQ(Preview(dir, "--from \"2027-03-27 00:00\" --for 2d --day-length 0 --html " + Quote(page), out), 0)
      << out;
  EXPECT_EQ(
      LinesStartingWith(out, "2027-"),
      (std::vector<std::string>{
          "2027-03-27 Sat  1 -> 6 at 00:00:01 forceweekday | writes forceweekday 1440 | a day.set holds 1m "
          "at most  day=6",
          "2027-03-28 Sun  6 -> 7 at 00:00:01 forceweekday | writes forceweekday 1380 | 23-hour date (CET to "
          "CEST) | a day.set holds 1m at most  day=7",
          "2027-03-29 Mon  to 01:00:00: 7 -> 1 at 00:00:01 forceweekday | writes forceweekday 60 | a day.set "
          "holds 1m at most  day=1"}))
      << out;
  EXPECT_EQ(LinesStartingWith(out, "plugin: ").size(), 1u) << out;
  EXPECT_NE(out.find("(Morrowset " MORROWSET_VERSION ")"), std::string::npos) << out;
  EXPECT_NE(out.find("zone: Europe/Berlin, the config's \"TimeZone\""), std::string::npos) << out;
  EXPECT_NE(out.find("day cycle: none (--day-length 0)"), std::string::npos) << out;
  EXPECT_EQ(Snapshot(dir), before) << "the preview loaded a decoy or wrote into the server folder";
  EXPECT_TRUE(fs::is_regular_file(page));
  fs::remove_all(dir);
}

TEST(Preview, AConfigThatWouldNotLoadGetsTheChecksReport) {
  const std::string dir = ServerFolder("preview-bad-config", R"({"ForceDay": 1})");
  std::string out, check;
  EXPECT_EQ(Preview(dir, "", out), 1) << out;
  EXPECT_EQ(InServerFolder(dir, "morrowset-check", "./TolvApi/Plugins/MorrowsetVelde/config.json", check), 1);
  EXPECT_EQ(out, check);
  fs::remove_all(dir);
}

TEST(Preview, BadUsageExits2WithOneLineSayingWhy) {
  const std::string dir = ServerFolder("preview-usage", kBerlinWeekdays);
  const std::pair<const char*, const char*> cases[] = {
      {"--for 3w", "--for takes a duration (90s, 5m, 2h, 3d, 1d12h): 3w"},
      {"--for 0s", "--for takes a duration"},
      {"--from \"2027-02-30 00:00\"",
       "--from takes a local time \"YYYY-MM-DD HH:MM[:SS]\": 2027-02-30 00:00"},
      {"--from \"1999-12-31 23:00\"", "--from: the preview starts in 2000 or later"},
      {"--from \"2261-12-01 00:00\" --for 60d", "--for: the preview would run past the end of 2261"},
      {"--day-length 0.5", "--day-length takes 0 (none) or a plain number of seconds from 1: 0.5"},
      {"--html p.html --timeline", "--html goes with the date lines, not --timeline"},
      {"--nonsense", "bad argument: --nonsense"},
  };
  for (const auto& [args, message] : cases) {
    std::string out;
    EXPECT_EQ(Preview(dir, args, out), 2) << args << "\n" << out;
    EXPECT_NE(out.find("morrowset-preview: " + std::string(message)), std::string::npos) << args << "\n"
                                                                                         << out;
  }
  std::string out;
  EXPECT_EQ(RunCommand(Quote(ProgramPath("morrowset-preview")), out), 2) << out;
  EXPECT_NE(out.find("--server-dir is required"), std::string::npos) << out;
  fs::remove_all(dir);
}

// The game's cycle moves the day on, forceday and forceweekday take it back, each from the
// other: the date says so, and the timeline lists the changes instead of the dates.
TEST(Preview, FightingPoliciesAreNamedAndTheTimelineListsEveryChange) {
  const std::string dir =
      ServerFolder("preview-fight", WithMember(ConfigJson(true, true, false, "", 5), "TimeZone", "\"UTC\""));
  std::string out;
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 1d", out), 0) << out;
  const auto lines = LinesStartingWith(out, "2027-01-04 Mon");
  ASSERT_EQ(lines.size(), 1u) << out;
  EXPECT_NE(
      lines[0].find("| writes forceday 288, forceweekday 1440, dawn 47 | forceday and forceweekday overwrite "
                    "each other "),
      std::string::npos)
      << lines[0];
  EXPECT_NE(out.find("day cycle: an in-game day every 1800 s (the default;"), std::string::npos) << out;
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 10m --timeline", out), 0) << out;
  EXPECT_NE(out.find("2027-01-04 00:00:01 UTC   Mon  forceday      day=5\n"), std::string::npos) << out;
  EXPECT_NE(out.find("2027-01-04 00:00:01 UTC   Mon  forceweekday  day=1"), std::string::npos) << out;
  fs::remove_all(dir);
}

// A server folder named outside every ANSI code page: the checker and the preview take it whole
// from the command line, open their files by it, and print it as given, in one separator style.
TEST(Preview, AFolderNameOutsideTheCodePageArrivesWhole) {
  const std::string dir = testing::TempDir() + "srv-\u30b5\u30fc\u30d0";  // srv-サーバ
  fs::remove_all(fs::u8path(dir));
  fs::create_directories(fs::u8path(dir + "/TolvApi/Plugins/MorrowsetVelde"));
  fs::copy_file(PluginPath(), fs::u8path(dir + "/TolvApi/Plugins/MorrowsetVelde/" +
                                         DevHost::LibraryFileName("MorrowsetVelde")));
  std::ofstream(fs::u8path(dir + "/TolvApi/Plugins/MorrowsetVelde/config.json")) << kBerlinWeekdays;
  std::string out;
  EXPECT_EQ(RunCommand(Quote(ProgramPath("morrowset-check")) + " --server-dir " + Quote(dir), out), 0) << out;
  EXPECT_NE(out.find("\nfile: " + Shown(dir + "/TolvApi/Plugins/MorrowsetVelde/config.json") + "\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("TimeZone=Europe/Berlin"), std::string::npos) << out;
  EXPECT_EQ(RunCommand(Quote(ProgramPath("morrowset-preview")) + " --server-dir " + Quote(dir) +
                           " --from \"2027-03-28 00:00\" --for 1h --day-length 0",
                       out),
            0)
      << out;
  EXPECT_NE(out.find("\n2027-03-28 Sun  to 01:00:00: 1 -> 7 at 00:00:01 forceweekday"), std::string::npos)
      << out;
#if defined(_WIN32)
  // Given with backslashes, a path is printed with backslashes throughout.
  std::string windowsDir = dir;
  std::replace(windowsDir.begin(), windowsDir.end(), '/', '\\');
  EXPECT_EQ(RunCommand(Quote(ProgramPath("morrowset-check")) + " --server-dir " + Quote(windowsDir), out), 0);
  EXPECT_NE(out.find("\nfile: " + windowsDir + "\\TolvApi\\Plugins\\MorrowsetVelde\\config.json\n"),
            std::string::npos)
      << out;
#endif
  fs::remove_all(fs::u8path(dir));
}

#if !defined(_WIN32)
// Nothing that runs in the preview can open a port: neither the program, nor the stand-in it
// ships with, nor the plugin imports a socket function.
TEST(Preview, NoPartOfItImportsASocketFunction) {
  std::string out;
  const std::string command = "nm -D --undefined-only " + Quote(ProgramPath("morrowset-preview")) + " " +
                              Quote(MORROWSET_STANDIN_PATH) + " " + Quote(PluginPath()) +
                              " | grep -wE 'socket|bind|listen|accept|connect|getaddrinfo'";
  EXPECT_EQ(RunCommand(command, out), 1) << out;
}
#else
// Nothing that runs in the preview can open a port: neither the program, nor the stand-in it
// ships with, nor the plugin imports a Windows sockets library.
TEST(Preview, NoPartOfItImportsASocketLibrary) {
  for (const std::string& path :
       {ProgramPath("morrowset-preview"), std::string(MORROWSET_STANDIN_PATH), PluginPath()}) {
    pe::Image image;
    std::string why;
    ASSERT_TRUE(pe::Read(path, image, why)) << why;
    for (const auto& [dll, names] : image.imports) {
      std::string name = dll;
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
      EXPECT_TRUE(name != "ws2_32.dll" && name != "wsock32.dll" && name != "mswsock.dll")
          << path << " imports " << dll;
    }
  }
}
#endif

}  // namespace
}  // namespace morrowset::test
