// The development host itself: its allocator, strings, registries and game catch what they should.
#include <functional>

#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

class DevHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DevHost::Reset();
    DevHost::KeepEvents(true);
  }
  void TearDown() override { DevHost::Reset(); }
  static auto Free() { return reinterpret_cast<void (*)(void*)>(ZelApi::GetAddress("FMemory.Free(void*)")); }
};

// One violation of the host contract, committed by the rogue test plugin or by the test itself.
struct Violation {
  const char* name;
  std::function<void()> commit;
  Seq faults;  // what the host records, up to and including the plugin's unload
};

// The rogue plugin never removes its command, so every case ends with this fault.
const std::string kLeftRogue = "RoguePlugin left console rogue registered after unload";

void Rogue(const std::string& what) { ASSERT_TRUE(DevHost::RunConsole("rogue " + what)); }

const Violation kViolations[] = {
    {"DoubleFree", [] { Rogue("free-twice"); }, {"double free", kLeftRogue}},
    {"ForeignFree",
     [] { Rogue("free-foreign"); },
     {"free of a buffer the engine never allocated", kLeftRogue}},
    {"HostBufferFreed",
     [] { Rogue("free-host-line"); },
     {"the host's own buffer was freed by someone else", kLeftRogue}},
    {"MemberOnNull",
     [] { Rogue("member-on-null"); },
     {"GetAddress of UWorld.GameState on a null object", kLeftRogue}},
    {"MemberOnOtherClass",
     [] { Rogue("member-on-other-class"); },
     {"GetAddress of AShooterGameState.DayNumber on an object of another class", kLeftRogue}},
    {"WriteWithoutUpdate",
     [] { Rogue("write-without-update"); },
     {"day 77 written without a network update", kLeftRogue}},
    {"UpdateWithTrueFlag",
     [] { Rogue("update-with-true-flag"); },
     {"ForceNetUpdate called with a true flag", kLeftRogue}},
    {"UpdateOnOtherObject",
     [] { Rogue("update-on-world"); },
     {"ForceNetUpdate called on an object that is not the game state", kLeftRogue}},
    {"ParseIntoFullArray",
     [] { Rogue("parse-into-full-array"); },
     {"ParseIntoArray into a non-empty array", kLeftRogue}},
    {"MalformedString", [] { Rogue("malformed-name"); }, {"malformed FString", kLeftRogue}},
    {"EmptyCallback",
     [] { Rogue("empty-callback"); },
     {"empty callback registered for timer rogue.timer", kLeftRogue,
      "RoguePlugin left timer rogue.timer registered after unload"}},
    {"RegistrationOutsideAPlugin",
     [] {
       FString name("greet");
       ZelApi::GetCommands().RegisterConsoleCommand(name, [](APlayerController*, FString*, bool) {});
       ZelApi::GetCommands().UnregisterConsoleCommand(name);
       reinterpret_cast<void (*)(void*)>(ZelApi::GetAddress("FMemory.Free(void*)"))(name.Data.Data);
     },
     {"register console greet from outside any plugin", kLeftRogue}},
    {"LoadedTwice",
     [] { DevHost::LoadPlugin("RoguePlugin", MORROWSET_ROGUE_PLUGIN_PATH); },
     {"RoguePlugin is already loaded", kLeftRogue}},
    {"LeftRegisteredAfterUnload", [] {}, {kLeftRogue}},
    // Last: the rogue library stays in the process, so later cases in the same run could not load it.
    {"StaysLoadedAfterUnload",
     [] { Rogue("stay-loaded"); },
     {"RoguePlugin stayed loaded after unload", kLeftRogue}},
};

void PrintTo(const Violation& v, std::ostream* os) { *os << v.name; }

class HostContract : public ::testing::TestWithParam<Violation> {
 protected:
  void SetUp() override { DevHost::Reset(); }
  void TearDown() override { DevHost::Reset(); }
};

TEST_P(HostContract, ViolationIsRecordedAsAFault) {
  ASSERT_TRUE(DevHost::LoadPlugin("RoguePlugin", MORROWSET_ROGUE_PLUGIN_PATH))
      << DevHost::LoadErrorOf("RoguePlugin");
  ASSERT_TRUE(DevHost::RunConsole("ROGUE"));  // any case, and a harmless call
  ASSERT_EQ(DevHost::Faults(), Seq{});
  GetParam().commit();
  DevHost::UnloadPlugin("RoguePlugin");
  EXPECT_EQ(DevHost::Faults(), GetParam().faults);
}

INSTANTIATE_TEST_SUITE_P(EveryCheck, HostContract, ::testing::ValuesIn(kViolations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DevHostTest, ParseIntoArraySplitsAndCullsLikeTheEngine) {
  FString line("  a  b ");
  TArray<FString> culled, kept;
  EXPECT_EQ(line.ParseIntoArray(culled, ZTEXT(" "), true), 2);
  EXPECT_EQ(line.ParseIntoArray(kept, ZTEXT(" "), false), 6);
  EXPECT_EQ(kept[0].Data.Data, nullptr);  // empty words have no buffer
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(*culled[1])), u"b");
  EXPECT_EQ(culled[1].Len(), 1);
  for (auto* words : {&culled, &kept}) {
    for (int i = 0; i < words->Num(); ++i) Free()((*words)[i].Data.Data);
    Free()(words->Data);
  }
  Free()(line.Data.Data);
  EXPECT_EQ(DevHost::OutstandingBuffers(), 0u);
  EXPECT_EQ(DevHost::Faults(), Seq{});
}

TEST_F(DevHostTest, MembersResolveOnlyAgainstTheirOwnObject) {
  UWorld* world = ZelApi::GetApiUtils().CurrentWorld();
  ASSERT_NE(world, nullptr);
  const uint64_t gameStateField = ZelApi::GetAddress(world, "UWorld.GameState");
  ASSERT_NE(gameStateField, 0u);
  auto* gameState = *reinterpret_cast<AShooterGameState**>(gameStateField);
  EXPECT_EQ(ZelApi::GetAddress(world, "AShooterGameState.DayNumber"), 0u);
  EXPECT_NE(ZelApi::GetAddress(gameState, "AShooterGameState.DayNumber"), 0u);
  EXPECT_EQ(ZelApi::GetAddress("AShooterGameState.Nothing()"), nullptr);
  EXPECT_EQ(DevHost::Faults(),
            Seq{"GetAddress of AShooterGameState.DayNumber on an object of another class"});
  EXPECT_EQ(EventsOf(DevHost::AllEvents(), {Kind::Unresolved}),
            Seq{"unresolved AShooterGameState.Nothing()"});
}

TEST_F(DevHostTest, OnlyTheNetworkUpdateReachesClients) {
  UWorld* world = ZelApi::GetApiUtils().CurrentWorld();
  auto* gameState = *reinterpret_cast<AShooterGameState**>(ZelApi::GetAddress(world, "UWorld.GameState"));
  *reinterpret_cast<int32_t*>(ZelApi::GetAddress(gameState, "AShooterGameState.DayNumber")) = 9;
  EXPECT_DAY(9, 1);
  auto update = reinterpret_cast<void (*)(AShooterGameState*, bool, bool, bool)>(
      ZelApi::GetAddress("AShooterGameState.ForceNetUpdate(bool,bool,bool)"));
  update(gameState, false, false, false);
  EXPECT_DAY(9, 9);
  EXPECT_EQ(DevHost::Names(DevHost::AllEvents()), (Seq{"day 9", "update 9"}));
}

TEST_F(DevHostTest, DayCycleAdvancesOnTheWallClockAndReplicates) {
  DevHost::SetDayLength(10);
  const auto start = std::chrono::system_clock::now();
  DevHost::RunDayCycleUntil(start + std::chrono::seconds(5));
  EXPECT_DAY(1, 1);
  DevHost::RunDayCycleUntil(start + std::chrono::seconds(31));
  EXPECT_DAY(4, 4);
  DevHost::SetDayLength(0);
  DevHost::RunDayCycleUntil(start + std::chrono::hours(1));
  EXPECT_DAY(4, 4);
}

// The game's counter wraps as the game's signed 32-bit day does, and a game day of decimal
// seconds keeps its length exactly: truncated to the clock's tick, 1.001-second days would
// dawn once too often over a million of them.
TEST_F(DevHostTest, DayCycleWrapsTheCounterAndKeepsItsLengthExactly) {
  DevHost::SetGameDay(2147483647);
  DevHost::SetDayLength(10);
  const auto start = std::chrono::system_clock::now();
  DevHost::RunDayCycleUntil(start + std::chrono::seconds(11));
  EXPECT_DAY(-2147483647 - 1, -2147483647 - 1);

  DevHost::KeepEvents(false);  // a million dawns
  DevHost::SetGameDay(1);
  DevHost::SetDayLength(1.001);
  const auto from = std::chrono::system_clock::now();
  DevHost::RunDayCycleUntil(from + std::chrono::milliseconds(1001000000) - std::chrono::microseconds(500));
  EXPECT_DAY(1000000, 1000000);  // the millionth dawn is half a millisecond away
}

}  // namespace
}  // namespace morrowset::test
