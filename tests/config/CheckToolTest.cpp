// morrowset-check: the admin's view of what start-up would do with a config.json.
#include <algorithm>
#include <sstream>

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

// What the admin sees for one config.json: the exit code and lines that must be in the output.
struct Diagnosis {
  const char* name;
  std::string file;
  std::string options;
  int exitCode;
  std::vector<std::string> lines;
};

void PrintTo(const Diagnosis& d, std::ostream* os) { *os << d.name; }

const std::string kValid = ConfigJson(false, false, false);
// A valid file with one more member after the seven.
std::string With(const std::string& extra, const std::string& base = kValid) {
  return base.substr(0, base.size() - 1) + ", " + extra + "}";
}

const Diagnosis kDiagnoses[] = {
    {"SettingsPoliciesAndHeldNumbers",
     R"({"ForceDay": true, "DayToForce": 7.9, "FollowWeekCycle": false, "ResetWhenReachDay": true,
         "DayToReset": 1e10, "DayToSetWhenReset": 4294967301, "FollowMonthDayNumber": true})",
     "",
     0,
     {"OK", "DayToForce=7", "DayToReset=2147483647", "DayToSetWhenReset=5", "FollowMonthDayNumber=true",
      "policies=forceday,resetdays,forcemonthday",
      "warning: \"DayToForce\" is 7.9 in the file; the plugin holds 7 (truncated)",
      "warning: \"DayToReset\" is 10000000000.0 in the file; the plugin holds 2147483647 (clamped to 32 "
      "bits)",
      "warning: \"DayToSetWhenReset\" is 4294967301 in the file; the plugin holds 5 (wrapped to 32 bits)"}},
    {"StrictFailsOnWarnings",
     With("\"ForceDay\": false"),
     "--strict",
     1,
     {"OK", "warning: \"ForceDay\" is given 2 times; only the last one counts (false)"}},
    {"NearMissOfAnOptionalMember",
     With("\"FollowMonthDaynumber\": true"),
     "",
     0,
     {"FollowMonthDayNumber=false", "policies=none",
      "warning: \"FollowMonthDaynumber\" is not read by the plugin and is ignored: did you mean "
      "\"FollowMonthDayNumber\"?"}},
    {"NearMissBesideTheRealMember",
     With("\"forceday \": true"),
     "",
     0,
     {"warning: \"forceday \" is not read by the plugin and is ignored: did you mean \"ForceDay\"? "
      "(that one is there too)"}},
    {"MissingMemberWithItsNearMiss",
     R"({"Forceday": true, "DayToForce": 1, "FollowWeekCycle": false, "ResetWhenReachDay": false,
         "DayToReset": 100, "DayToSetWhenReset": 1})",
     "",
     1,
     {"[json.exception.type_error.302] type must be boolean, but is null",
      "\"ForceDay\" is missing: it takes true or false; the file has \"Forceday\": did you mean "
      "\"ForceDay\"?"}},
    {"NumberOfTheWrongType",
     R"({"ForceDay": true, "DayToForce": "5"})",
     "",
     1,
     {"[json.exception.type_error.302] type must be number, but is string",
      "\"DayToForce\" is \"5\" (a string): it takes a number"}},
    {"OptionalSwitchNull",
     With("\"FollowMonthDayNumber\": null"),
     "",
     1,
     {"\"FollowMonthDayNumber\" is null: it takes true or false, or leave it out"}},
    {"ParseErrorShowsTheLine", "{\n  \"ForceDay\": true,\n}", "", 1, {"line 3, column 1: }"}},
    {"NotAnObject",
     "[]",
     "",
     1,
     {"the file holds an array, not an object { } with the members \"ForceDay\", \"DayToForce\", ..."}},
    {"PoliciesThatOverwriteEachOther",
     ConfigJson(true, true, false, "true"),
     "",
     0,
     {"warning: forceday (every 5 minutes), forceweekday (every minute) and forcemonthday (every 5 "
      "minutes) all write the day: each overwrites the others' value when it runs"}},
    {"ResetToADayNotBelowTheLimit",
     ConfigJson(false, false, true, "", 5, 10, 20),
     "",
     0,
     {"warning: resetdays writes \"DayToSetWhenReset\" 20, not below \"DayToReset\" 10: it rewrites "
      "the day every minute"}},
    {"TextAfterTheObject",
     kValid + " {\"ForceDay\": true}",
     "",
     0,
     {"warning: text after the closing brace is never read"}},
};

class CheckDiagnosis : public PluginTest, public ::testing::WithParamInterface<Diagnosis> {};

TEST_P(CheckDiagnosis, NamesTheMemberAndWhatToDo) {
  WriteConfig(GetParam().file);
  const Outcome outcome = Check(GetParam().options + " " + Quote(configPath));
  EXPECT_EQ(outcome.exitCode, GetParam().exitCode) << outcome.output;
  std::istringstream printed(outcome.output);
  std::vector<std::string> lines;
  for (std::string line; std::getline(printed, line);) lines.push_back(line);
  for (const auto& expected : GetParam().lines)
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
        << "missing: " << expected << "\nin:\n"
        << outcome.output;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "file: " + configPath), lines.end()) << outcome.output;
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
  EXPECT_EQ(Check("").exitCode, 2);
  EXPECT_EQ(Check("--server-dir").exitCode, 2);
  EXPECT_EQ(Check("a b").exitCode, 2);
  const Outcome help = Check("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.output.rfind("usage: morrowset-check", 0), 0u);
}

}  // namespace
}  // namespace morrowset::test
