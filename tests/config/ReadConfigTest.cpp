// The config reading code in-process: what stands in Settings after a failure midway.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config/Config.h"
#include "config/ConfigMembers.h"

namespace {

class ReadConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings = SettingValues();
    ConfigDocument = nullptr;
    path_ = (std::filesystem::path(testing::TempDir()) /
             (std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".json"))
                .string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  // Reads text as config.json and returns the error text, empty on success.
  std::string Read(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
    try {
      ::ReadConfigFile(path_);
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }
  std::string path_;
};

TEST_F(ReadConfigFile, MissingMemberMidwayKeepsEarlierSettingsAndLeavesLaterOnesZero) {
  EXPECT_EQ(Read(R"({"ForceDay": true, "DayToForce": 7, "FollowWeekCycle": true,
                     "ResetWhenReachDay": true, "DayToSetWhenReset": 3})"),
            "[json.exception.type_error.302] type must be number, but is null");
  EXPECT_TRUE(Settings.ForceDay);
  EXPECT_EQ(Settings.DayToForce, 7);
  EXPECT_TRUE(Settings.FollowWeekCycle);
  EXPECT_TRUE(Settings.ResetWhenReachDay);
  EXPECT_EQ(Settings.DayToReset, 0);
  EXPECT_EQ(Settings.DayToSetWhenReset, 0);
}

TEST_F(ReadConfigFile, NullDocumentBecomesAnObjectAtTheFirstRead) {
  EXPECT_EQ(Read("null"), "[json.exception.type_error.302] type must be boolean, but is null");
  EXPECT_TRUE(ConfigDocument.is_object());
  EXPECT_FALSE(Settings.ForceDay);
}

TEST_F(ReadConfigFile, SuccessKeepsExactlyTheFileInTheDocument) {
  EXPECT_EQ(Read(R"({"ForceDay": false, "DayToForce": 1, "FollowWeekCycle": false,
                     "ResetWhenReachDay": false, "DayToReset": 10, "DayToSetWhenReset": 2,
                     "Comment": "kept"})"),
            "");
  EXPECT_EQ(ConfigDocument.size(), 7u);
  EXPECT_EQ(ConfigDocument["Comment"], "kept");
}

TEST_F(ReadConfigFile, MonthDayLookupNeverInsertsAndNeverFallsBackOnAWrongType) {
  const std::string base = R"({"ForceDay": false, "DayToForce": 1, "FollowWeekCycle": false,
      "ResetWhenReachDay": false, "DayToReset": 10, "DayToSetWhenReset": 2)";
  ASSERT_EQ(Read(base + "}"), "");
  EXPECT_FALSE(FollowMonthDayNumber());
  EXPECT_FALSE(ConfigDocument.contains("FollowMonthDayNumber"));
  ASSERT_EQ(Read(base + R"(, "FollowMonthDayNumber": true})"), "");
  EXPECT_TRUE(FollowMonthDayNumber());
  ASSERT_EQ(Read(base + R"(, "FollowMonthDayNumber": null})"), "");
  EXPECT_THROW(FollowMonthDayNumber(), nlohmann::json::type_error);
}

// The table of members the checker, its schema and its printout read is what start-up reads, in
// its order: with the first k required members given, start-up fails at member k, with that
// member's type, having inserted exactly that one key; with all of them it reads no other key;
// and each member's held value is the one start-up stored.
TEST_F(ReadConfigFile, MemberTableIsWhatStartUpReadsInItsOrder) {
  nlohmann::json given = nlohmann::json::object();
  int32_t value = 11;
  for (const ConfigMember& member : kConfigMembers) {
    if (!member.required) continue;
    SCOPED_TRACE(member.name);
    EXPECT_EQ(Read(given.dump()), std::string("[json.exception.type_error.302] type must be ") +
                                      (member.kind == MemberKind::Switch ? "boolean" : "number") +
                                      ", but is null");
    nlohmann::json expected = given;
    expected[member.name] = nullptr;
    EXPECT_EQ(ConfigDocument, expected);
    given[member.name] = member.kind == MemberKind::Switch ? nlohmann::json(true) : nlohmann::json(value++);
  }
  EXPECT_EQ(Read(given.dump()), "");
  EXPECT_EQ(ConfigDocument, given);
  for (const ConfigMember& member : kConfigMembers) {
    if (!member.held) continue;
    const nlohmann::json& file = given.contains(member.name) ? given[member.name] : nlohmann::json(false);
    EXPECT_EQ(member.held(), file.is_boolean() ? int32_t{file.get<bool>()} : file.get<int32_t>())
        << member.name;
  }
  EXPECT_FALSE(ConfigTimeZone);
  given["TimeZone"] = "Asia/Tokyo";  // the optional members are read too: the zone at once,
  EXPECT_EQ(Read(given.dump()), "");
  ASSERT_TRUE(ConfigTimeZone);
  EXPECT_EQ(ConfigTimeZone->Name(), "Asia/Tokyo");
  given["FollowMonthDayNumber"] = "yes";  // the month-day switch when start-up looks it up
  EXPECT_EQ(Read(given.dump()), "");
  EXPECT_THROW(FollowMonthDayNumber(), nlohmann::json::type_error);
}

}  // namespace
