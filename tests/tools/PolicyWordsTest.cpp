// Every policy and every config member is told in words wherever the checker tells it: the
// schema's descriptions and the check's line per policy, each made from the tables.
#include "Diagnosis.h"
#include "day/PolicyTable.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

using PolicyWords = PluginTest;

// With every policy on, the check has one line per policy, in start-up's order, each with its
// rhythm and its rule filled in (no member's mark left, the zone and the numbers as held).
TEST_F(PolicyWords, EveryPolicyThatRunsHasItsLine) {
  WriteConfig(WithMember(ConfigJson(true, true, true, "true", 9, 30, 2), "TimeZone", "\"Asia/Tokyo\""));
  const ConfigReport report = Diagnose(configPath);
  ASSERT_TRUE(report.Loads()) << report.Text();
  EXPECT_EQ(report.policyLines,
            (std::vector<std::string>{
                "forceday: every 5 minutes, day 9",
                "forceweekday: every minute, today's weekday in Asia/Tokyo, Monday 1 ... Sunday 7",
                "resetdays: every minute, day 2 when the day is 30 or more, else nothing",
                "forcemonthday: every 5 minutes, today's day of the month in Asia/Tokyo, 1 to 31"}));
  for (std::size_t row = 0; row < kPolicyCount; ++row)
    EXPECT_NE(report.Text().find(report.policyLines[row] + "\n"), std::string::npos) << report.Text();
}

// The schema describes every member: a switch by its policy's rule and rhythm, with the members
// it reads named, so that an editor shows what the switch does.
TEST_F(PolicyWords, TheSchemaDescribesEveryMember) {
  const nlohmann::json properties = Schema()["properties"];
  ASSERT_EQ(properties.size(), 8u);
  for (const auto& [name, property] : properties.items()) {
    const std::string description = property.value("description", "");
    EXPECT_GT(description.size(), 10u) << name;
    EXPECT_EQ(description.find('{'), std::string::npos) << name << ": " << description;
  }
  for (const DayPolicy& policy : kDayPolicies)
    EXPECT_EQ(properties[policy.switchMember]["description"].get<std::string>().rfind(
                  std::string("Switches on the policy ") + policy.timer + ": every ", 0),
              0u)
        << policy.switchMember;
  EXPECT_NE(properties["ResetWhenReachDay"]["description"].get<std::string>().find(
                "writes day \"DayToSetWhenReset\" when the day is \"DayToReset\" or more"),
            std::string::npos);
}

}  // namespace
}  // namespace morrowset::test
