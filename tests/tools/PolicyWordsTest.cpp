// Every policy and every config member is told in the same words wherever an admin reads of
// them: the schema's descriptions and the check's line per policy, made from the tables, and the
// guide and README, held to them; the report schemas hold the tables and limits too.
#include <fstream>
#include <sstream>

#include "Diagnosis.h"
#include "PolicyWords.h"
#include "PreviewJson.h"
#include "day/PolicyTable.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

using PolicyWords = PluginTest;

// Returns a text of the source tree with every run of white space as one space, so that a
// sentence reads the same however a document wraps it.
std::string Words(const std::string& relative) {
  std::ifstream file(MORROWSET_SOURCE_DIR "/" + relative, std::ios::binary);
  EXPECT_TRUE(file) << relative;
  std::ostringstream words;
  for (std::string word; file >> word;) words << word << ' ';
  return words.str();
}

// Returns a sentence with every run of white space as one space, and one after it.
std::string Spaced(const std::string& sentence) {
  std::istringstream in(sentence);
  std::string spaced;
  for (std::string word; in >> word;) spaced += word + ' ';
  return spaced;
}

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
                  std::string("Switches on the policy ") + policy.timer + " (\"" + policy.switchMember +
                      "\": true): every ",
                  0),
              0u)
        << policy.switchMember;
  EXPECT_NE(properties["ResetWhenReachDay"]["description"].get<std::string>().find(
                "writes day \"DayToSetWhenReset\" when the day is \"DayToReset\" or more"),
            std::string::npos);
  // A number or a zone names the policies that read it, with what they write.
  EXPECT_EQ(properties["DayToReset"]["description"],
            "The day at which resetdays resets the counter. Read by resetdays (\"ResetWhenReachDay\": true): "
            "every minute it writes day \"DayToSetWhenReset\" when the day is \"DayToReset\" or more, else "
            "nothing.");
  const std::string zone = properties["TimeZone"]["description"];
  EXPECT_NE(zone.find("Read by forceweekday (\"FollowWeekCycle\": true): every minute"), std::string::npos)
      << zone;
  EXPECT_NE(zone.find("Read by forcemonthday (\"FollowMonthDayNumber\": true): every 5 minutes"),
            std::string::npos)
      << zone;
}

// Expects every part made from the code's tables at its place in a shipped schema, its
// description aside.
void ExpectSchemaHolds(const std::string& relative, const nlohmann::json& parts) {
  std::ifstream file(MORROWSET_SOURCE_DIR "/" + relative);
  const nlohmann::json schema = nlohmann::json::parse(file);
  for (const auto& [pointer, part] : parts.items()) {
    const nlohmann::json::json_pointer at(pointer);
    ASSERT_TRUE(schema.contains(at)) << relative << pointer;
    nlohmann::json shipped = schema.at(at);
    if (shipped.is_object()) shipped.erase("description");
    nlohmann::json made = part;
    if (made.is_object()) made.erase("description");
    EXPECT_EQ(shipped, made) << relative << pointer << ": the schema has " << shipped.dump()
                             << ", the tables make " << part.dump();
  }
}

// The report schemas say what the tables say: each part the member table, the policy table, the
// problem kinds or the preview's limits decide is the one made from them, so that a new member,
// policy or kind, or another limit, fails here until the shipped schema has it.
TEST_F(PolicyWords, TheReportSchemasHoldTheTables) {
  ExpectSchemaHolds("packaging/check-report.schema.json", ReportSchemaParts());
  ExpectSchemaHolds("packaging/preview-report.schema.json", PreviewSchemaParts());
}

// The guide in the archives and README say what each policy and each member does in the very
// words of the tables: a policy with another interval, rule or switch, or a member that is for
// something else, fails here until both documents are told.
TEST_F(PolicyWords, TheGuideAndReadmeTellTheTablesWords) {
  std::vector<std::string> sentences = {kPolicyTiming};
  for (std::size_t row = 0; row < kPolicyCount; ++row)
    sentences.push_back(PolicySentence(static_cast<PolicyRow>(row)));
  for (const ConfigMember& member : kConfigMembers)
    if (member.drives) sentences.push_back(std::string(member.drives) + ".");
  for (const char* document : {"packaging/GUIDE.txt", "README.md"}) {
    const std::string words = Words(document);
    for (const std::string& sentence : sentences)
      EXPECT_NE(words.find(Spaced(sentence)), std::string::npos) << document << " lacks: " << sentence;
  }
  // The guide's example of the check's answer is what the check says for that config.
  WriteConfig(WithMember(ConfigJson(false, true, true, "false", 1, 100, 1), "TimeZone", "\"Europe/Berlin\""));
  const ConfigReport report = Diagnose(configPath);
  ASSERT_EQ(report.policyLines.size(), 2u) << report.Text();
  for (const std::string& line : report.policyLines)
    EXPECT_NE(Words("packaging/GUIDE.txt").find(Spaced(line)), std::string::npos)
        << "GUIDE.txt lacks: " << line;
  EXPECT_NE(Words("packaging/GUIDE.txt").find(Spaced(NoPolicyLine())), std::string::npos);
}

}  // namespace
}  // namespace morrowset::test
