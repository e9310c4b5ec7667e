// "day.set" from the console and over RCON: parsing, the write, the update, and the buffers.
#include <climits>

#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

constexpr int32_t kStartDay = 500;

struct SetDayCase {
  const char* name;
  const char* line;
  bool applies;  // whether a day is written at all
  int32_t day;   // the day written
  int words;     // words the host splits the line into
};

const SetDayCase kCases[] = {
    {"Plain", "day.set 12", true, 12, 2},
    {"RunOfSpaces", "day.set     15", true, 15, 2},
    {"TrailingWords", "day.set 15 99", true, 15, 3},
    {"SpacesAroundTheLine", "   day.set 12   ", true, 12, 2},
    {"CommandInCapitals", "DAY.SET 3", true, 3, 2},
    {"NotANumber", "day.set abc", true, 0, 2},
    {"Negative", "day.set -3", true, -3, 2},
    {"ExplicitPlus", "day.set +4", true, 4, 2},
    {"TrailingLetters", "day.set 7th", true, 7, 2},
    {"TabsBeforeTheNumber", "day.set \t\t8", true, 8, 2},
    {"Zero", "day.set 0", true, 0, 2},
    {"SignAlone", "day.set -", true, 0, 2},
    {"HexReadsAsZero", "day.set 0x10", true, 0, 2},
    {"Int32Max", "day.set 2147483647", true, INT32_MAX, 2},
    {"Int32Min", "day.set -2147483648", true, INT32_MIN, 2},
    {"JustPastInt32Max", "day.set 2147483648", true, INT32_MAX, 2},
    {"FarPastInt32Max", "day.set 99999999999999999999999", true, INT32_MAX, 2},
    {"FarPastInt32Min", "day.set -99999999999", true, INT32_MIN, 2},
    {"NoArgument", "day.set", false, 0, 1},
    {"OnlySpaces", "day.set      ", false, 0, 1},
    {"TabIsNoSeparator", "day.set\t5", false, 0, 1},
};

enum class Via { Console, Rcon };

void PrintTo(const SetDayCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(Via via, std::ostream* os) { *os << (via == Via::Console ? "Console" : "Rcon"); }

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
  EXPECT_EQ(Take({Kind::Day, Kind::Update, Kind::Free, Kind::Unresolved}), expected) << c.line;
  const int32_t day = c.applies ? c.day : kStartDay;
  EXPECT_DAY(day, day);
  EXPECT_EQ(DevHost::NetUpdates(), c.applies ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lines, SetDay,
                         ::testing::Combine(::testing::Values(Via::Console, Via::Rcon),
                                            ::testing::ValuesIn(kCases)),
                         [](const auto& info) {
                           const bool console = std::get<0>(info.param) == Via::Console;
                           return std::string(console ? "Console_" : "Rcon_") + std::get<1>(info.param).name;
                         });

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
    {
        "ForceNetUpdate",
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
    EXPECT_EQ(Take({Kind::Day, Kind::Update}), Seq{}) << m.what;
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
