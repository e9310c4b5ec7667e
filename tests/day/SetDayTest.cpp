// "day.set" from the console and over RCON: parsing, the write, the update, and the buffers.
#include <climits>

#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

constexpr int32_t kStartDay = 500;

struct SetDayCase {
  const char* line;
  bool applies;     // whether a day is written at all
  int32_t day;      // the day written
  int words;        // words the host splits the line into
};

const SetDayCase kCases[] = {
    {"day.set 12", true, 12, 2},
    {"day.set     15", true, 15, 2},
    {"day.set 15 99", true, 15, 3},
    {"   day.set 12   ", true, 12, 2},
    {"DAY.SET 3", true, 3, 2},
    {"day.set abc", true, 0, 2},
    {"day.set -3", true, -3, 2},
    {"day.set +4", true, 4, 2},
    {"day.set 7th", true, 7, 2},
    {"day.set \t\t8", true, 8, 2},
    {"day.set 0", true, 0, 2},
    {"day.set -", true, 0, 2},
    {"day.set 0x10", true, 0, 2},
    {"day.set 2147483647", true, INT32_MAX, 2},
    {"day.set -2147483648", true, INT32_MIN, 2},
    {"day.set 2147483648", true, INT32_MAX, 2},
    {"day.set 99999999999999999999999", true, INT32_MAX, 2},
    {"day.set -99999999999", true, INT32_MIN, 2},
    {"day.set", false, 0, 1},
    {"day.set      ", false, 0, 1},
    {"day.set\t5", false, 0, 1},
};

enum class Via { Console, Rcon };

class SetDay : public PluginTest, public ::testing::WithParamInterface<std::tuple<Via, SetDayCase>> {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    LoadWith(ConfigJson(false, false, false));
    DevHost::SetGameDay(kStartDay);
  }

  void Run(Via via, const std::string& line) {
    const bool ran = via == Via::Console ? DevHost::RunConsole(line) : DevHost::RunRcon(line);
    ASSERT_TRUE(ran) << line;
  }
};

TEST_P(SetDay, WritesThenUpdatesOnceAndFreesEveryBuffer) {
  const auto [via, c] = GetParam();
  Run(via, c.line);
  Seq expected;
  if (c.applies) expected = {"day " + std::to_string(c.day), "update " + std::to_string(c.day)};
  for (int i = 0; i <= c.words; ++i) expected.push_back("free");  // each word, then the array
  EXPECT_EQ(Take({"day", "update", "free", "unresolved"}), expected) << c.line;
  const int32_t day = c.applies ? c.day : kStartDay;
  EXPECT_DAY(day, day);
  EXPECT_EQ(DevHost::NetUpdates(), c.applies ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lines, SetDay,
                         ::testing::Combine(::testing::Values(Via::Console, Via::Rcon),
                                            ::testing::ValuesIn(kCases)));

// With no game to write to, nothing is written anywhere and nothing is updated.
struct MissingCase {
  const char* what;
  void (*breakIt)();
};

const MissingCase kMissing[] = {
    {"no world", [] { DevHost::SetWorldPresent(false); }},
    {"no game state", [] { DevHost::SetGameStatePresent(false); }},
    {"UWorld.GameState", [] { DevHost::SetNameResolvable("UWorld.GameState", false); }},
    {"DayNumber", [] { DevHost::SetNameResolvable("AShooterGameState.DayNumber", false); }},
    {"ForceNetUpdate",
     [] { DevHost::SetNameResolvable("AShooterGameState.ForceNetUpdate(bool,bool,bool)", false); },
    },
};

using MissingGame = PluginTest;

TEST_F(MissingGame, SkipsTheWriteAndTheUpdate) {
  LoadWith(ConfigJson(false, false, false));
  for (const auto& m : kMissing) {
    DevHost::SetGameDay(kStartDay);
    m.breakIt();
    Console("day.set 12");
    EXPECT_EQ(Take({"day", "update"}), Seq{}) << m.what;
    EXPECT_DAY(kStartDay, kStartDay);
    DevHost::SetWorldPresent(true);
    DevHost::SetGameStatePresent(true);
    for (const char* name : {"UWorld.GameState", "AShooterGameState.DayNumber",
                             "AShooterGameState.ForceNetUpdate(bool,bool,bool)"})
      DevHost::SetNameResolvable(name, true);
  }
  Console("day.set 12");  // and it works again once the game is back
  EXPECT_DAY(12, 12);
}

TEST_F(MissingGame, UnresolvableFreeLeaksRatherThanCrashes) {
  LoadWith(ConfigJson(false, false, false));
  DevHost::SetNameResolvable("FMemory.Free(void*)", false);
  Console("day.set 12");
  EXPECT_DAY(12, 12);
  EXPECT_EQ(DevHost::OutstandingBuffers(), 3u);  // two words and the array
  DevHost::SetNameResolvable("FMemory.Free(void*)", true);
  Unload();
  DevHost::Reset();  // forgets the leaked buffers so that teardown checks the rest
}

}  // namespace
}  // namespace morrowset::test
