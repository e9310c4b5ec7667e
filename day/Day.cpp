// Reaches the day counter by resolved names, and applies "day.set" from the console and RCON.
#include "Day.h"

#include <limits>

#include "host/HostMemory.h"

AShooterGameState* GetGameState(UWorld* world) {
  if (world == nullptr) return nullptr;
  const uint64_t member = ZelApi::GetAddress(world, "UWorld.GameState");
  if (member == 0) return nullptr;
  return *reinterpret_cast<AShooterGameState**>(member);
}

int32_t* DayNumberRef(AShooterGameState* gameState) {
  return reinterpret_cast<int32_t*>(ZelApi::GetAddress(gameState, "AShooterGameState.DayNumber"));
}

void WriteDay(AShooterGameState* gameState, int32_t& dayNumber, int32_t day) {
  using ForceNetUpdate = void (*)(AShooterGameState*, bool, bool, bool);
  auto update = reinterpret_cast<ForceNetUpdate>(
      ZelApi::GetAddress("AShooterGameState.ForceNetUpdate(bool,bool,bool)"));
  // A write that clients would never see is not made.
  if (update == nullptr) return;
  dayNumber = day;
  update(gameState, false, false, false);
}

void SetDay(int32_t day) {
  AShooterGameState* gameState = GetGameState(ZelApi::GetApiUtils().CurrentWorld());
  if (gameState == nullptr) return;
  if (int32_t* dayNumber = DayNumberRef(gameState)) WriteDay(gameState, *dayNumber, day);
}

int32_t WordToDay(const FString& word) {
  const WIDECHAR* c = *word;
  while (*c == ' ' || (*c >= '\t' && *c <= '\r')) ++c;
  const bool negative = *c == '-';
  if (*c == '-' || *c == '+') ++c;
  // The magnitude grows in 64 bits and stops at the limit for its sign: out-of-range clamps.
  const int64_t limit =
      negative ? -int64_t{std::numeric_limits<int32_t>::min()} : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t magnitude = 0;
  for (; *c >= '0' && *c <= '9'; ++c) {
    magnitude = magnitude * 10 + (*c - '0');
    if (magnitude > limit) {
      magnitude = limit;
      break;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

namespace {

// Splits the command line at spaces and sets the day from its second word, if there is one.
void ApplySetDay(const FString& line) {
  TArray<FString> words;
  auto release = HoldHostMemory(words);
  line.ParseIntoArray(words, ZTEXT(" "), true);
  if (words.Num() < 2) return;
  SetDay(WordToDay(words[1]));
}

}  // namespace

void OnSetDayConsole(APlayerController*, FString* text, bool) { ApplySetDay(*text); }

void OnSetDayRcon(RCONClientConnection*, RCONPacket* packet, UWorld*) { ApplySetDay(packet->Body); }
