// morrowset-preview end to end: the built program on a server folder with the built plugin.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "PeImage.h"
#include "PreviewRun.h"

namespace morrowset::test {
namespace {

namespace fs = std::filesystem;

// Across Berlin's change to summer time: one line per local date, a 23-hour Sunday, and the
// plugin's own build named; nothing else of the folder is loaded and nothing in it changes.
TEST(Preview, OneLinePerDateRunsOnlyOurPluginAndLeavesTheServerFolderAlone) {
  const std::string dir = ServerFolder("preview-berlin", kBerlinWeekdays);
  const auto before = Snapshot(dir);
  const std::string page = testing::TempDir() + "preview-berlin.html";
  std::string out;
#if defined(_WIN32)
  // The decoy framework beside TolvApi exports nothing: the verdict comes first, the days after,
  // and the exit code says that the server would not load the plugin.
  ASSERT_EQ(Preview(dir, "--from \"2027-03-27 00:00\" --for 2d --day-length 0 --html " + Quote(page), out), 1)
      << out;
  EXPECT_EQ(out.rfind("framework: the server's framework will NOT load this plugin", 0), 0u) << out;
#else
  ASSERT_EQ(Preview(dir, "--from \"2027-03-27 00:00\" --for 2d --day-length 0 --html " + Quote(page), out), 0)
      << out;
#endif
  EXPECT_EQ(LinesStartingWith(out, "2027-"),
            (std::vector<std::string>{
                "2027-03-27 Sat  mostly 6 (100%; 1 other under a minute) | 1 -> 6 at 00:00:01 forceweekday | "
                "writes forceweekday 1440 | a day.set holds 1m at most  day=6",
                "2027-03-28 Sun  mostly 7 (100%; 1 other under a minute) | 6 -> 7 at 00:00:01 forceweekday | "
                "writes forceweekday 1380 | 23-hour date (CET to CEST) | a day.set holds 1m at most  day=7",
                "2027-03-29 Mon  to 01:00:00: mostly 1 (100%; 1 other under a minute) | 7 -> 1 at 00:00:01 "
                "forceweekday | writes forceweekday 60 | a day.set holds 1m at most  day=1"}))
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
  const std::string longNumber = "--day-length 1" + std::string(400, '0');
  const std::pair<const char*, const char*> cases[] = {
      {"--for 3w", "--for takes a duration (90s, 5m, 2h, 3d, 1d12h): 3w"},
      {"--for 0s", "--for takes a duration"},
      {"--from \"2027-02-30 00:00\"",
       "--from takes a local time \"YYYY-MM-DD HH:MM[:SS]\": 2027-02-30 00:00"},
      {"--from \"1999-12-31 23:00\"", "--from: the preview starts in 2000 or later"},
      {"--from \"2261-12-01 00:00\" --for 60d", "--for: the preview would run past the end of 2261"},
      {"--day-length 0.5",
       "--day-length takes 0 (none) or seconds from 1 to 31536000, with at most 3 decimals: 0.5"},
      {"--day-length 1.0000000001",
       "--day-length takes 0 (none) or seconds from 1 to 31536000, with at most 3 decimals: 1.0000000001"},
      {longNumber.c_str(), "--day-length takes 0 (none) or seconds"},
      {"--day-length inf", "--day-length takes 0 (none) or seconds"},
      {"--for 1d1d", "--for takes a duration (90s, 5m, 2h, 3d, 1d12h): 1d1d"},
      {"--for 30m2h", "--for takes a duration"},
      {"--for 36500d", "--for takes a duration (90s, 5m, 2h, 3d, 1d12h): 36500d"},
      {"--for 1500d", "--for 1500d: the preview runs at most 1157d9h46m40s"},
      {"--day 1.5", "--day takes the day players see now, a whole number: 1.5"},
      {"--day 2147483648", "--day takes the day players see now"},
      {"--html TolvApi/Plugins/MorrowsetVelde/config.json",
       "--html: TolvApi/Plugins/MorrowsetVelde/config.json is inside the server's TolvApi folder"},
      {"--html ./TolvApi/../TolvApi/page.html",
       "--html: ./TolvApi/../TolvApi/page.html is inside the server's TolvApi folder"},
      {"--html no-such-folder/page.html",
       "--html: no-such-folder/page.html: the folder no-such-folder does not exist"},
      {"--html p.html --timeline", "--html goes with the date lines, not --timeline"},
      {"--nonsense", "unknown option: --nonsense"},
      {"--timeline --day", "--day needs the day players see now, a whole number"},
      {"--for=2x", "--for takes a duration (90s, 5m, 2h, 3d, 1d12h): 2x"},
  };
  for (const auto& [args, message] : cases) {
    std::string out;
    EXPECT_EQ(Preview(dir, args, out), 2) << args << "\n" << out;
    // Paths are shown in the platform's separator; no message here has another slash.
    EXPECT_NE(out.find("morrowset-preview: " + Shown(message)), std::string::npos) << args << "\n" << out;
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
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 1d", out), kExitOnServerFolder) << out;
  const auto lines = LinesStartingWith(out, "2027-01-04 Mon");
  ASSERT_EQ(lines.size(), 1u) << out;
  EXPECT_NE(
      lines[0].find("| writes forceday 288, forceweekday 1440, dawn 47 | forceday and forceweekday overwrite "
                    "each other "),
      std::string::npos)
      << lines[0];
  EXPECT_NE(out.find("day cycle: an in-game day every 1800 s (the default;"), std::string::npos) << out;
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 10m --timeline", out), kExitOnServerFolder)
      << out;
  EXPECT_NE(out.find("2027-01-04 00:00:01 UTC   Mon  forceday      day=5\n"), std::string::npos) << out;
  EXPECT_NE(out.find("2027-01-04 00:00:01 UTC   Mon  forceweekday  day=1"), std::string::npos) << out;
  fs::remove_all(dir);
}

// The span is [from, from + for): London's 25-hour date ends the span at 23:00, when the game's
// dawn comes; that dawn is not part of it, and the date says it was seen only to 23:00. A date
// is [midnight, next midnight) too: a dawn at midnight belongs to the next date, and the date
// before ends on the day players saw until then.
TEST(Preview, TheSpanAndEachDateEndBeforeTheirLastInstant) {
  const std::string dir = ServerFolder(
      "preview-half-open", WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/London\""));
  std::string out;
  ASSERT_EQ(Preview(dir, "--from \"2027-10-30 00:00\" --for 2d", out), kExitOnServerFolder) << out;
  const auto lines = LinesStartingWith(out, "2027-10-31 Sun");
  ASSERT_EQ(lines.size(), 1u) << out;
  EXPECT_NE(lines[0].find("  to 23:00:00: "), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].substr(lines[0].size() - 7), "  day=7") << lines[0];
  EXPECT_NE(lines[0].find("25-hour date (BST to GMT)"), std::string::npos) << lines[0];
  EXPECT_NE(out.find("\nday at the end: 7\n"), std::string::npos) << out;
  // The timeline and --json of the same run cover the same span, across the change to winter
  // time: the dawn at the span's end is in none of the three.
  const std::string footer = out.substr(out.rfind("\nwrites: "));
  std::string timeline, json;
  ASSERT_EQ(Preview(dir, "--from \"2027-10-30 00:00\" --for 2d --timeline", timeline), kExitOnServerFolder);
  EXPECT_EQ(timeline.substr(timeline.rfind("\nwrites: ")), footer) << timeline;
  EXPECT_EQ(timeline.find(" 23:00:00 GMT   Sun  dawn"), std::string::npos) << timeline;
  ASSERT_EQ(Preview(dir, "--from \"2027-10-30 00:00\" --for 2d --json", json), kExitOnServerFolder);
  EXPECT_NE(json.find("\n  \"dayAtTheEnd\": 7,\n"), std::string::npos) << json;

  // A game day of 1000 s from Monday's midnight: its 432nd dawn comes at Saturday's midnight.
  ASSERT_EQ(Preview(dir, "--from \"2027-10-25 00:00\" --for 6d --day-length 1000", out), kExitOnServerFolder)
      << out;
  const auto friday = LinesStartingWith(out, "2027-10-29 Fri");
  const auto saturday = LinesStartingWith(out, "2027-10-30 Sat");
  ASSERT_EQ(friday.size() + saturday.size(), 2u) << out;
  EXPECT_EQ(friday[0].substr(friday[0].size() - 7), "  day=5") << friday[0];
  EXPECT_NE(saturday[0].find(" | 5 -> 6 at 00:00:00 dawn"), std::string::npos) << saturday[0];
  fs::remove_all(dir);

  // A dawn in a date's last second that forceday overwrites at midnight was seen for a second:
  // the date ends on forceday's day, not the dawn's.
  const std::string forced = ServerFolder(
      "preview-last-second", WithMember(ConfigJson(true, false, false, "", 3), "TimeZone", "\"UTC\""));
  ASSERT_EQ(Preview(forced, "--from \"2027-01-01 00:04:59\" --for 2d --day-length 86100", out),
            kExitOnServerFolder)
      << out;
  const auto first = LinesStartingWith(out, "2027-01-01 Fri");
  ASSERT_EQ(first.size(), 1u) << out;
  EXPECT_NE(first[0].find(" -> 4 at 23:59:59 dawn"), std::string::npos) << first[0];
  EXPECT_EQ(first[0].substr(first[0].size() - 7), "  day=3") << first[0];
  fs::remove_all(forced);
}

// The day players see now decides when a wrap comes: given, it is where the run starts; not
// given, the header says day 1 is assumed. A policy that is on but never writes is listed, 0.
TEST(Preview, TheDayNowIsGivenOrSaidToBeAssumed) {
  const std::string dir = ServerFolder(
      "preview-day-now", WithMember(ConfigJson(false, false, true, "", 5, 5, 1), "TimeZone", "\"UTC\""));
  std::string out;
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 1h --day-length 0 --day 7", out),
            kExitOnServerFolder)
      << out;
  EXPECT_NE(out.find("\nstart: day 7, the day players see now (--day)\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n2027-01-04 Mon  to 01:00:00: mostly 1 (100%; 1 other under a minute) | 7 -> 1 at "
                     "00:00:01 resetdays"),
            std::string::npos)
      << out;
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 1h --day-length 0", out), kExitOnServerFolder)
      << out;
  EXPECT_NE(out.find("\nstart: day 1 assumed: the day players see now is not known (--day N gives it)\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\nwrites: resetdays 0 (the day never reached 5)\n"), std::string::npos) << out;
  // resetdays alone never overwrites a day below its limit: no bound on how long a day.set holds.
  ASSERT_EQ(Preview(dir, "--from \"2027-01-04 00:00\" --for 1h --day 2", out), kExitOnServerFolder) << out;
  EXPECT_EQ(out.find("a day.set holds"), std::string::npos) << out;
  fs::remove_all(dir);

  // Each dawn shows day 2 until the next minute's forceweekday, which runs before resetdays'
  // check: players saw the limit, resetdays never did.
  const std::string between =
      ServerFolder("preview-between-checks",
                   WithMember(ConfigJson(false, true, true, "", 5, 2, 1), "TimeZone", "\"UTC\""));
  ASSERT_EQ(Preview(between, "--from \"2027-01-04 00:00\" --for 1h --day-length 600", out),
            kExitOnServerFolder)
      << out;
  EXPECT_NE(
      out.find("\nwrites: forceweekday 60, resetdays 0 (players saw day 2, but at each of its checks the day "
               "was below 2), dawn 5\n"),
      std::string::npos)
      << out;
  fs::remove_all(between);
}

// A local start in the hour a spring change skips moves on by the gap, with the plugin's zone
// as with the machine's; dates of odd lengths say their real length, and a date the zone skips
// says so.
TEST(Preview, SkippedTimesAndOddDatesAreToldAsTheyAre) {
  std::string out;
  const std::string berlin = ServerFolder("preview-skipped", kBerlinWeekdays);
  ASSERT_EQ(Preview(berlin, "--from \"2027-03-28 02:30\" --for 1h --day-length 0", out), kExitOnServerFolder)
      << out;
  EXPECT_NE(out.find("\nspan: 2027-03-28 03:30:00 CEST up to 2027-03-28 04:30:00 CEST (1h)"),
            std::string::npos)
      << out;
#if !defined(_WIN32)
  const std::string machine = ServerFolder("preview-skipped-machine", ConfigJson(false, true, false));
  ASSERT_EQ(
      RunCommand("cd " + Quote(machine) + " && TZ=Europe/Berlin " + Quote(ProgramPath("morrowset-preview")) +
                     " --server-dir . --from \"2027-03-28 02:30\" --for 1h --day-length 0",
                 out),
      0)
      << out;
  EXPECT_NE(out.find("\nspan: 2027-03-28 03:30:00 CEST up to"), std::string::npos) << out;
  // Casablanca's C library moves a skipped time back an hour; the preview moves it on all the same.
  ASSERT_EQ(RunCommand("cd " + Quote(machine) + " && TZ=Africa/Casablanca " +
                           Quote(ProgramPath("morrowset-preview")) +
                           " --server-dir . --from \"2027-03-14 02:30\" --for 1h --day-length 0",
                       out),
            0)
      << out;
  EXPECT_NE(out.find("\nspan: 2027-03-14 03:30:00 +01 up to"), std::string::npos) << out;
  fs::remove_all(machine);
#endif
  const std::string lordHowe = ServerFolder(
      "preview-lord-howe", WithMember(ConfigJson(false, true, false), "TimeZone", "\"Australia/Lord_Howe\""));
  ASSERT_EQ(Preview(lordHowe, "--from \"2027-04-03 00:00\" --for 3d --day-length 0", out),
            kExitOnServerFolder)
      << out;
  const auto sunday = LinesStartingWith(out, "2027-04-04 Sun");
  ASSERT_EQ(sunday.size(), 1u) << out;
  EXPECT_NE(sunday[0].find("| 24.5-hour date (+11 to +1030)"), std::string::npos) << sunday[0];
  const std::string apia = ServerFolder(
      "preview-apia", WithMember(ConfigJson(false, true, false), "TimeZone", "\"Pacific/Apia\""));
  ASSERT_EQ(Preview(apia, "--from \"2011-12-29 00:00\" --for 3d --day-length 0", out), kExitOnServerFolder)
      << out;
  EXPECT_EQ(
      LinesStartingWith(out, "2011-12-30 Fri  no such date here: the zone's clocks skip it  day=").size(), 1u)
      << out;
  for (const auto& folder : {berlin, lordHowe, apia}) fs::remove_all(folder);
}

// Another library installed under the plugin's name is said to be none of ours, and not run.
TEST(Preview, ALibraryThatIsNoMorrowsetBuildIsRefused) {
  const std::string dir = ServerFolder("preview-foreign", kBerlinWeekdays);
  const fs::path library =
      DevHost::PluginFolder(dir, "MorrowsetVelde") + "/" + DevHost::LibraryFileName("MorrowsetVelde");
  fs::copy_file(MORROWSET_MARKER_LIBRARY, library, fs::copy_options::overwrite_existing);
  std::string out;
  EXPECT_EQ(Preview(dir, "--for 1h", out), 1) << out;
  EXPECT_NE(out.find("is not a Morrowset build (it names no Morrowset release)"), std::string::npos) << out;
  EXPECT_EQ(Marks(dir), std::vector<std::string>{}) << out;
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
  EXPECT_NE(out.find("\n2027-03-28 Sun  to 01:00:00: mostly 7 (100%; 1 other under a minute) | 1 -> 7 at "
                     "00:00:01 forceweekday"),
            std::string::npos)
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
  // Each file's imports are read first, so that an nm that fails cannot pass for one that
  // found no socket function.
  for (const std::string& path :
       {ProgramPath("morrowset-preview"), std::string(MORROWSET_STANDIN_PATH), PluginPath()}) {
    std::string imports;
    ASSERT_EQ(RunCommand("nm -D --undefined-only " + Quote(path), imports), 0) << path << ": " << imports;
    ASSERT_NE(imports.find(" U "), std::string::npos) << path << " imports nothing?";
    for (const char* call : {"socket", "bind", "listen", "accept", "connect", "getaddrinfo"})
      for (const char* after : {"\n", "@"})  // plain, or with its symbol version (socket@GLIBC_2.2.5)
        EXPECT_EQ(imports.find(" U " + std::string(call) + after), std::string::npos)
            << path << " imports " << call;
  }
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
