// morrowset-check: the admin's view of what start-up would do with a config.json.
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

TEST_F(CheckTool, ValidFileGivesOkTheSettingsAndThePoliciesInRegistrationOrder) {
  WriteConfig(R"({"ForceDay": true, "DayToForce": 7.9, "FollowWeekCycle": false,
                  "ResetWhenReachDay": true, "DayToReset": 1e10, "DayToSetWhenReset": -2,
                  "FollowMonthDayNumber": true})");
  const Outcome outcome = Check(Quote(configPath));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.output,
            "OK\nForceDay=true\nDayToForce=7\nFollowWeekCycle=false\nResetWhenReachDay=true\n"
            "DayToReset=2147483647\nDayToSetWhenReset=-2\npolicies=forceday,resetdays,forcemonthday\n");
}

TEST_F(CheckTool, ServerDirReadsTheFileTheServerWouldAndAgreesWithStartUp) {
  WriteConfig(ConfigJson(false, true, false, "\"no\""));
  const Outcome outcome = Check("--server-dir " + Quote(serverDir));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_FALSE(Load());
  EXPECT_EQ(outcome.output, DevHost::LoadErrorOf("MorrowsetVelde") + "\n");
}

TEST_F(CheckTool, DefaultConfigPassesWithNoPolicies) {
  const Outcome outcome = Check(Quote(std::string(MORROWSET_BIN_DIR) + "/config.json"));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.output.find("policies=none\n"), std::string::npos) << outcome.output;
}

TEST_F(CheckTool, MissingFileAndBadArguments) {
  EXPECT_EQ(Check(Quote(serverDir + "/nothing.json")).output, "Can't open config.json\n");
  EXPECT_EQ(Check(Quote(serverDir + "/nothing.json")).exitCode, 1);
  EXPECT_EQ(Check("").exitCode, 2);
  EXPECT_EQ(Check("--server-dir").exitCode, 2);
  EXPECT_EQ(Check("a b").exitCode, 2);
}

}  // namespace
}  // namespace morrowset::test
