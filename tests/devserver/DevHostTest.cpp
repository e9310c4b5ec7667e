// The development host itself: its allocator, strings, registries and game catch what they should.
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

class DevHostTest : public ::testing::Test {
 protected:
  void SetUp() override { DevHost::Reset(); }
  void TearDown() override { DevHost::Reset(); }
  static auto Free() {
    return reinterpret_cast<void (*)(void*)>(ZelApi::GetAddress("FMemory.Free(void*)"));
  }
};

TEST_F(DevHostTest, AllocatorCountsBuffersAndCatchesDoubleAndForeignFrees) {
  FString text("day.set");
  EXPECT_EQ(DevHost::OutstandingBuffers(), 1u);
  Free()(text.Data.Data);
  EXPECT_EQ(DevHost::OutstandingBuffers(), 0u);
  Free()(text.Data.Data);
  int local = 0;
  Free()(&local);
  EXPECT_EQ(DevHost::Faults(),
            (Seq{"double free", "free of a buffer the engine never allocated"}));
}

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
  EXPECT_EQ(EventsOf(DevHost::AllEvents(), {"unresolved"}),
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
  EXPECT_EQ(DevHost::AllEvents(), (Seq{"day 9", "update 9"}));
}

TEST_F(DevHostTest, DayCycleAdvancesOnTheSteadyClockAndReplicates) {
  DevHost::SetDayLength(10);
  const auto start = std::chrono::steady_clock::now();
  DevHost::AdvanceGame(start + std::chrono::seconds(5));
  EXPECT_DAY(1, 1);
  DevHost::AdvanceGame(start + std::chrono::seconds(31));
  EXPECT_DAY(4, 4);
  DevHost::SetDayLength(0);
  DevHost::AdvanceGame(start + std::chrono::hours(1));
  EXPECT_DAY(4, 4);
}

TEST_F(DevHostTest, RegistriesMatchTheFirstWordInAnyCaseAndAcceptUnknownRemovals) {
  int calls = 0;
  FString name("Greet");
  ZelApi::GetCommands().RegisterConsoleCommand(name, [&](APlayerController*, FString*, bool) { ++calls; });
  EXPECT_TRUE(DevHost::RunConsole("greet all"));
  EXPECT_FALSE(DevHost::RunConsole("greeting"));
  FString other("nothing");
  ZelApi::GetCommands().UnregisterTimerCallback(other);
  ZelApi::GetCommands().UnregisterConsoleCommand(name);
  EXPECT_FALSE(DevHost::RunConsole("greet"));
  EXPECT_EQ(calls, 1);
  Free()(name.Data.Data);
  Free()(other.Data.Data);
  EXPECT_EQ(DevHost::Faults(), Seq{});
}

}  // namespace
}  // namespace morrowset::test
