// morrowset-check: the admin's view of what start-up would do with a config.json.
#include <algorithm>
#include <filesystem>
#include <fstream>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "CommandLine.h"
#include "Diagnosis.h"
#include "config/zones/TimeZone.h"
#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

struct Outcome {
  int exitCode;
  std::string output;
};

Outcome Check(const std::string& args) {
  Outcome outcome;
  outcome.exitCode = RunCommand(Quote(ProgramPath("morrowset-check")) + " " + args, outcome.output);
  return outcome;
}

using CheckTool = PluginTest;

// What the admin sees for one config.json: the whole report ({file} for the path) and the exit code.
struct Diagnosis {
  const char* name;
  std::string file;
  bool strict;
  int exitCode;
  std::string report;
};

void PrintTo(const Diagnosis& d, std::ostream* os) { *os << d.name; }

const std::string kValid = ConfigJson(false, false, false);
// What the report of kValid begins with: OK, its settings, no policy, the file.
const std::string kValidReport =
    "OK\n"
    "ForceDay=false\n"
    "DayToForce=5\n"
    "FollowWeekCycle=false\n"
    "ResetWhenReachDay=false\n"
    "DayToReset=100\n"
    "DayToSetWhenReset=1\n"
    "TimeZone=none (the server's local time)\n"
    "FollowMonthDayNumber=false\n"
    "policies=none\n"
    "no policy is on: the plugin writes the day only on day.set\n"
    "file: {file}\n";
// A valid file with one more member after the seven.
std::string With(const std::string& extra, const std::string& base = kValid) {
  return base.substr(0, base.size() - 1) + ", " + extra + "}";
}

const std::string kVersion = TimeZones::DataVersion();

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}
// A valid file with the weekday policy on and this "TimeZone" (JSON text), and its report.
std::string Zone(const std::string& value) {
  return With("\"TimeZone\": " + value, ConfigJson(false, true, false));
}
std::string ZoneReport(const std::string& zone) {
  return Replaced(Replaced(Replaced(kValidReport, "none (the server's local time)",
                                    zone + " (tz database " + kVersion + ")"),
                           "FollowWeekCycle=false", "FollowWeekCycle=true"),
                  "policies=none\nno policy is on: the plugin writes the day only on day.set",
                  "policies=forceweekday\nforceweekday: every minute, today's weekday in " + zone +
                      ", Monday 1 ... Sunday 7");
}
std::string UnknownZone(const std::string& name) {
  return "\"TimeZone\": \"" + name + "\" is not a known time zone (tz database " + kVersion +
         "); give its name as the tz database spells it, such as \"Europe/Berlin\"\n";
}

const Diagnosis kDiagnoses[] = {
    {"SettingsPoliciesAndHeldNumbers",
     R"({"ForceDay": true, "DayToForce": 7.9, "FollowWeekCycle": false, "ResetWhenReachDay": true,
         "DayToReset": 1e10, "DayToSetWhenReset": 4294967301, "FollowMonthDayNumber": true})",
     false, 0,
     "OK\n"
     "ForceDay=true\n"
     "DayToForce=7\n"
     "FollowWeekCycle=false\n"
     "ResetWhenReachDay=true\n"
     "DayToReset=2147483647\n"
     "DayToSetWhenReset=5\n"
     "TimeZone=none (the server's local time)\n"
     "FollowMonthDayNumber=true\n"
     "policies=forceday,resetdays,forcemonthday\n"
     "forceday: every 5 minutes, day 7\n"
     "resetdays: every minute, day 5 when the day is 2147483647 or more, else nothing\n"
     "forcemonthday: every 5 minutes, today's day of the month in the server's local time, 1 to 31\n"
     "file: {file}\n"
     "warning: \"DayToForce\" is 7.9 in the file; the plugin holds 7 (truncated)\n"
     "warning: \"DayToReset\" is 10000000000.0 in the file; the plugin holds 2147483647 (clamped to 32 "
     "bits)\n"
     "warning: \"DayToSetWhenReset\" is 4294967301 in the file; the plugin holds 5 (wrapped to 32 bits)\n"
     "warning: forceday (every 5 minutes) and forcemonthday (every 5 minutes) both write the day: each "
     "overwrites the other's value when it runs\n"},
    {"StrictFailsOnWarnings", With("\"ForceDay\": false"), true, 1,
     kValidReport + "warning: \"ForceDay\" is given 2 times; only the last one counts (false)\n"},
    {"NearMissOfAnOptionalMember", With("\"FollowMonthDaynumber\": true"), false, 0,
     kValidReport +
         "warning: \"FollowMonthDaynumber\" is not read by the plugin and is ignored: did you mean "
         "\"FollowMonthDayNumber\"?\n"},
    {"NearMissBesideTheRealMember", With("\"forceday \": true"), false, 0,
     kValidReport + "warning: \"forceday \" is not read by the plugin and is ignored: did you mean "
                    "\"ForceDay\"? (that one "
                    "is there too)\n"},
    {"MissingMemberWithItsNearMiss",
     R"({"Forceday": true, "DayToForce": 1, "FollowWeekCycle": false, "ResetWhenReachDay": false,
         "DayToReset": 100, "DayToSetWhenReset": 1})",
     false, 1,
     "[json.exception.type_error.302] type must be boolean, but is null\n"
     "\"ForceDay\" is missing: it takes true or false; the file has \"Forceday\": did you mean "
     "\"ForceDay\"?\n"
     "file: {file}\n"},
    {"NumberOfTheWrongType", R"({"ForceDay": true, "DayToForce": "5"})", false, 1,
     "[json.exception.type_error.302] type must be number, but is string\n"
     "\"DayToForce\" is \"5\" (a string): it takes a number\n"
     "file: {file}\n"},
    {"OptionalSwitchNull", With("\"FollowMonthDayNumber\": null"), false, 1,
     "[json.exception.type_error.302] type must be boolean, but is null\n"
     "\"FollowMonthDayNumber\" is null: it takes true or false, or leave it out\n"
     "file: {file}\n"},
    {"ParseErrorShowsTheLine", "{\n  \"ForceDay\": true,\n}", false, 1,
     "[json.exception.parse_error.101] parse error at line 3, column 1: syntax error while parsing object "
     "key - unexpected '}'; expected string literal\n"
     "line 3, column 1: }\n"
     "file: {file}\n"},
    {"NotAnObject", "[]", false, 1,
     "[json.exception.type_error.305] cannot use operator[] with a string argument with array\n"
     "the file holds an array, not an object { } with the members \"ForceDay\", \"DayToForce\", ...\n"
     "file: {file}\n"},
    {"PoliciesThatOverwriteEachOther", ConfigJson(true, true, false, "true"), false, 0,
     "OK\n"
     "ForceDay=true\n"
     "DayToForce=5\n"
     "FollowWeekCycle=true\n"
     "ResetWhenReachDay=false\n"
     "DayToReset=100\n"
     "DayToSetWhenReset=1\n"
     "TimeZone=none (the server's local time)\n"
     "FollowMonthDayNumber=true\n"
     "policies=forceday,forceweekday,forcemonthday\n"
     "forceday: every 5 minutes, day 5\n"
     "forceweekday: every minute, today's weekday in the server's local time, Monday 1 ... Sunday 7\n"
     "forcemonthday: every 5 minutes, today's day of the month in the server's local time, 1 to 31\n"
     "file: {file}\n"
     "warning: forceday (every 5 minutes), forceweekday (every minute) and forcemonthday (every 5 minutes) "
     "all write the day: each overwrites the others' value when it runs\n"},
    {"ResetToADayNotBelowTheLimit", ConfigJson(false, false, true, "", 5, 10, 20), false, 0,
     "OK\n"
     "ForceDay=false\n"
     "DayToForce=5\n"
     "FollowWeekCycle=false\n"
     "ResetWhenReachDay=true\n"
     "DayToReset=10\n"
     "DayToSetWhenReset=20\n"
     "TimeZone=none (the server's local time)\n"
     "FollowMonthDayNumber=false\n"
     "policies=resetdays\n"
     "resetdays: every minute, day 20 when the day is 10 or more, else nothing\n"
     "file: {file}\n"
     "warning: resetdays writes \"DayToSetWhenReset\" 20, not below \"DayToReset\" 10: it rewrites the day "
     "every minute\n"},
    {"TextAfterTheObject", kValid + " {\"ForceDay\": true}", false, 0,
     kValidReport + "warning: the plugin ignores what follows the JSON value at line 1, column " +
         std::to_string(kValid.size() + 2) + "\n"},
    // The JSON library's own check stops at a NUL byte as if the text ended there.
    {"GarbageAfterANulByte", kValid + "\n\n" + std::string(1, '\0') + "garbage", false, 0,
     kValidReport + "warning: the plugin ignores what follows the JSON value at line 3, column 1\n"},
    {"OnlyWhiteSpaceAfterTheObject", kValid + " \r\n\t\n", false, 0, kValidReport},
    {"ZoneWithItsDataVersion", Zone("\"Europe/Berlin\""), false, 0, ZoneReport("Europe/Berlin")},
    {"ZoneNobodyReads", With("\"TimeZone\": \"UTC\""), false, 0,
     Replaced(kValidReport, "none (the server's local time)", "UTC (tz database " + kVersion + ")") +
         "warning: \"TimeZone\" is set, but neither forceweekday (\"FollowWeekCycle\") nor forcemonthday "
         "(\"FollowMonthDayNumber\") is on: nothing reads it\n"},
    {"ZoneAbbreviationWithoutDaylightSaving", Zone("\"EST\""), false, 0,
     ZoneReport("EST") + "warning: \"EST\" keeps one offset all year, with no daylight saving; for the time "
                         "people keep there, write \"America/New_York\"\n"},
    {"ZoneOfEtcWithItsSignInverted", Zone("\"Etc/GMT+5\""), false, 0,
     ZoneReport("Etc/GMT+5") + "warning: \"Etc/GMT+5\" is 5 hours behind UTC (UTC-5): the Etc zones' sign is "
                               "inverted; for UTC+5 write \"Etc/GMT-5\"\n"},
    {"ZoneOfEtcAheadWithNoMirror", Zone("\"Etc/GMT-13\""), false, 0,
     ZoneReport("Etc/GMT-13") +
         "warning: \"Etc/GMT-13\" is 13 hours ahead of UTC (UTC+13): the Etc zones' sign "
         "is inverted; no zone is 13 hours behind UTC, and \"Pacific/Tongatapu\" keeps "
         "UTC+13\n"},
    {"ZoneEmpty", Zone("\"\""), false, 1,
     UnknownZone("") +
         "\"TimeZone\" is empty: give a zone name such as \"Europe/Berlin\", or leave the member out for the "
         "server's local time\nfile: {file}\n"},
    {"ZoneInTheWrongCase", Zone("\"america/chicago\""), false, 1,
     UnknownZone("america/chicago") + "did you mean \"America/Chicago\"?\nfile: {file}\n"},
    {"ZonePlaceWithASpace", Zone("\"New York\""), false, 1,
     UnknownZone("New York") + "did you mean \"America/New_York\"?\nfile: {file}\n"},
    {"ZoneOneLetterOff", Zone("\"Europe/Berln\""), false, 1,
     UnknownZone("Europe/Berln") + "did you mean \"Europe/Berlin\"?\nfile: {file}\n"},
    {"ZoneOfWindows", Zone("\"Tokyo Standard Time\""), false, 1,
     UnknownZone("Tokyo Standard Time") +
         "\"Tokyo Standard Time\" is Windows' name for the zone; the tz database calls it \"Asia/Tokyo\"\n"
         "file: {file}\n"},
    {"ZoneWithNothingNear", Zone("\"Mars/Olympus_Mons\""), false, 1,
     UnknownZone("Mars/Olympus_Mons") +
         "zones are named Area/Place, as \"America/Chicago\" or \"Asia/Tokyo\", or \"UTC\"; "
         "morrowset-check --zones lists them all\nfile: {file}\n"},
    {"ZoneNotAString", Zone("1"), false, 1,
     "[json.exception.type_error.302] type must be string, but is number\n"
     "\"TimeZone\" is 1 (a number): it takes a time zone name as the tz database spells it, such as "
     "\"Europe/Berlin\", or leave it out\n"
     "file: {file}\n"},
};

class CheckDiagnosis : public PluginTest, public ::testing::WithParamInterface<Diagnosis> {};

// In-process, through the diagnosis the command prints: a spurious extra line fails too.
TEST_P(CheckDiagnosis, NamesTheMemberAndWhatToDo) {
  WriteConfig(GetParam().file);
  const morrowset::ConfigReport report = morrowset::Diagnose(configPath);
  std::string expected = GetParam().report;
  expected.replace(expected.find("{file}"), 6, configPath);
  EXPECT_EQ(report.Text(), expected);
  EXPECT_EQ(report.ExitCode(GetParam().strict), GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckDiagnosis, ::testing::ValuesIn(kDiagnoses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTool, ServerDirReadsTheFileTheServerWouldAndAgreesWithStartUp) {
  WriteConfig(ConfigJson(false, true, false, "\"no\""));
  const Outcome outcome = Check("--server-dir=" + Quote(serverDir));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_FALSE(Load());
  EXPECT_EQ(outcome.output.substr(0, outcome.output.find('\n')), DevHost::LoadErrorOf("MorrowsetVelde"));
}

TEST_F(CheckTool, QuietOnMembersOfOtherTools) {
  WriteConfig(With("\"MotdText\": \"hello\", \"MaxPlayers\": 70"));
  const Outcome outcome = Check(Quote(configPath));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.output.find("warning"), std::string::npos) << outcome.output;
}

TEST_F(CheckTool, MissingFileAndUsage) {
  const Outcome missing = Check(Quote(serverDir + "/nothing.json"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output.rfind("Can't open config.json\nthere is no file at ", 0), 0u) << missing.output;
  // A mistyped server folder is named as the folder that does not exist, and nothing else is said.
  const Outcome noFolder = Check("--server-dir " + Quote(serverDir + "/nosuch"));
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_EQ(noFolder.output,
            "Can't open config.json\nthe folder " + Shown(serverDir + "/nosuch") +
                " does not exist, so there is no file at " +
                Shown(serverDir + "/nosuch/TolvApi/Plugins/MorrowsetVelde/config.json") +
                "\nfile: " + Shown(serverDir + "/nosuch/TolvApi/Plugins/MorrowsetVelde/config.json") + "\n");
  EXPECT_EQ(Check("").exitCode, 2);  // run from a program, not alone on a console: no double-click
  for (const auto& [args, why] :
       {std::pair<std::string, std::string>{"--server-dir", "--server-dir needs a folder"},
        {"--server-dir \"\"", "--server-dir takes a folder: \"\""},
        {"--colour", "unknown option: --colour"},
        {"a --server-dir=b", "give one config.json, or one --server-dir"}}) {
    const Outcome refused = Check(args);
    EXPECT_EQ(refused.exitCode, 2) << args;
    EXPECT_EQ(refused.output.rfind("morrowset-check: " + why + "\nusage: morrowset-check", 0), 0u)
        << refused.output;
  }
  const Outcome help = Check("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.output.rfind("usage: morrowset-check", 0), 0u);
}

// What is no config a server could read in bounded time is refused before it is opened, in one
// line, exit 1: a pipe, a device, a file over 1 MiB; and the checker stays small on each.
TEST_F(CheckTool, WhatIsNoFileOrTooLargeIsRefusedUnread) {
  namespace fs = std::filesystem;
  const std::string big = serverDir + "/big.json";
  std::ofstream(fs::u8path(big), std::ios::binary) << kValid;
  fs::resize_file(fs::u8path(big), 1ull << 30);  // a valid file, then 1 GiB of NUL bytes
  const std::string spaces = serverDir + "/spaces.json";
  std::ofstream(fs::u8path(spaces), std::ios::binary)
      << kValid << std::string((1 << 20) + 1 - kValid.size(), ' ');
  std::vector<std::pair<std::string, std::string>> cases = {
      {big, " is 1073741824 bytes, more than the 1024 KiB a config.json may be"},
      {spaces, " is 1048577 bytes, more than the 1024 KiB a config.json may be"},
  };
#if !defined(_WIN32)
  const std::string fifo = serverDir + "/fifo.json";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = serverDir + "/zero.json";
  fs::create_symlink("/dev/zero", device);
  const std::string notAFile = " is not a file but a pipe, a device or a socket";
  cases.insert(cases.end(), {{fifo, notAFile}, {device, notAFile}, {"/dev/urandom", notAFile}});
  const std::string limit = "ulimit -v 400000; ";  // as the framework's huge files are read
#else
  const std::string limit;
#endif
  for (const auto& [file, why] : cases) {
    std::string output;
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(RunCommand(Quote(ProgramPath("morrowset-check")) + " " + Quote(file), output), 1) << file;
#else
    EXPECT_EQ(RunCommand(limit + Quote(ProgramPath("morrowset-check")) + " " + Quote(file), output), 1)
        << file;
#endif
    EXPECT_EQ(output.rfind(Shown(file) + why, 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  }
  // Exactly 1 MiB is read.
  fs::resize_file(fs::u8path(spaces), 1 << 20);
  EXPECT_EQ(Check(Quote(spaces)).exitCode, 0);
  fs::remove(fs::u8path(big));
}

// --init writes only into a server folder (the framework's library beside TolvApi), or with
// --force; a refusal writes nothing, says why in one line and names the folder probably meant.
TEST_F(CheckTool, InitWritesOnlyIntoAServerFolder) {
  namespace fs = std::filesystem;
  fs::remove(fs::u8path(configPath));
  const fs::path tools = fs::u8path(serverDir) / "Morrowset";
  fs::create_directories(tools);
  std::string output;
  const std::string check = Quote(ProgramPath("morrowset-check"));
#if defined(_WIN32)
  const std::string library = "ZelApi.dll";
#else
  const std::string library = "libZelApi.so";
#endif
  const std::string refused =
      "nothing written: . is not a server folder (no " + library + " beside TolvApi); ";
  const std::string advice = "give --server-dir the folder that holds " + library +
                             " beside TolvApi, or --force to write there anyway\n";
  EXPECT_EQ(RunCommand(CdInto(serverDir) + check + " --init --server-dir .", output), 1);
  EXPECT_EQ(output, refused + advice);
  EXPECT_EQ(RunCommand(CdInto(serverDir) + check + " --init " + Quote(configPath), output), 1);
  EXPECT_EQ(output, "nothing written: " + Shown(serverDir) + " is not a server folder (no " + library +
                        " beside TolvApi); " + advice);
  EXPECT_FALSE(fs::exists(fs::u8path(configPath)));

  // The usual slip: run from the tools' own folder, inside the server folder.
  std::ofstream(fs::u8path(serverDir) / library) << "the framework";
  EXPECT_EQ(RunCommand(CdInto(tools.u8string()) + check + " --init --server-dir .", output), 1);
  EXPECT_EQ(output,
            "nothing written: . is not a server folder (no TolvApi in it); the server folder is probably " +
                Shown(fs::u8path(serverDir).lexically_normal().u8string()) + "; " + advice);
  EXPECT_FALSE(fs::exists(fs::u8path(configPath)));
  EXPECT_EQ(RunCommand(CdInto(tools.u8string()) + check + " --force --server-dir .", output), 2);

  // Paths in the platform's own separator, from the first line to the last.
  EXPECT_EQ(RunCommand(CdInto(serverDir) + check + " --init --server-dir .", output), 0);
  EXPECT_EQ(output.substr(0, output.find('\n')), "wrote the default config.json (every policy off): " +
                                                     Shown("./TolvApi/Plugins/MorrowsetVelde/config.json"));
  EXPECT_NE(output.find("\nfile: " + Shown("./TolvApi/Plugins/MorrowsetVelde/config.json") + "\n"),
            std::string::npos);

  // With --force, anywhere; an existing file is never changed, inside a server folder or not.
  const std::string elsewhere = (tools / "config.json").u8string();
  EXPECT_EQ(RunCommand(check + " --init --force " + Quote(elsewhere), output), 0) << output;
  std::string expected = ReadFile(MORROWSET_BIN_DIR "/config.json");
#if defined(_WIN32)
  for (std::size_t at = 0; (at = expected.find('\n', at)) != std::string::npos; at += 2)
    expected.insert(at, 1, '\r');
#endif
  EXPECT_EQ(ReadFile(elsewhere), expected) << "the default, with this system's line ends";
  std::ofstream(fs::u8path(elsewhere)) << kValid;
  EXPECT_EQ(RunCommand(check + " --init " + Quote(elsewhere), output), 0) << output;
  EXPECT_EQ(ReadFile(elsewhere), kValid);
}

}  // namespace
}  // namespace morrowset::test
