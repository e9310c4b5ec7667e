// The stand-in game: a world, its game state with a day counter, a day cycle, and the names
// GetAddress resolves against them.
#include <cstddef>
#include <map>
#include <set>

#include "Internal.h"

// Real member layouts: the fields the plugin reaches sit behind engine data, as in the game.
class AShooterGameState {
 public:
  unsigned char ActorData[0x2f0];
  int32_t DayNumber;
  float DayTime;
};

class UWorld {
 public:
  unsigned char ObjectData[0x160];
  AShooterGameState* GameState;
};

namespace DevHost {
namespace {

AShooterGameState gameState;
UWorld world;
bool worldPresent = true;
std::set<std::string> unresolvable;

int32_t replicated = 1;
int32_t observed = 1;              // the day as the host last saw it; a difference is a plugin write
bool writeRecorded = false;        // the write that the next network update sends has its event
bool unreplicatedFaulted = false;  // the current unreplicated day has been reported
int netUpdates = 0;
// When each source (a timer id, "console", ...) last wrote the day, on the wall clock.
std::map<std::string, std::chrono::system_clock::time_point, std::less<>> lastWrites;

std::chrono::system_clock::duration dayDuration{};
std::chrono::system_clock::time_point dayStart = std::chrono::system_clock::now();

// Records a plugin write of the day, with the time its source wrote it.
void RecordWrite(int32_t day) {
  writeRecorded = true;
  Internal::Record(Event::Kind::Day, day);
  const std::string_view source = Internal::Source();
  const auto now = std::chrono::system_clock::now();
  const auto found = lastWrites.find(source);
  if (found != lastWrites.end())
    found->second = now;
  else
    lastWrites.emplace(std::string(source), now);
}

// Replicates the game state to clients, as the game's network update does.
void ForceNetUpdate(AShooterGameState* self, bool dormant, bool absolute, bool delayed) {
  if (self != &gameState) {
    Internal::Fault("ForceNetUpdate called on an object that is not the game state");
    return;
  }
  if (dormant || absolute || delayed) Internal::Fault("ForceNetUpdate called with a true flag");
  Internal::CheckUnreplicatedWrite();
  // A write of the value already there shows only through the update that follows it.
  if (!writeRecorded) RecordWrite(gameState.DayNumber);
  writeRecorded = false;
  replicated = gameState.DayNumber;
  unreplicatedFaulted = false;
  ++netUpdates;
  Internal::Record(Event::Kind::Update, replicated);
}

void FreeMemory(void* buffer) { Internal::Free(buffer); }

const std::map<std::string, void*>& Functions() {
  static const std::map<std::string, void*> functions = {
      {"AShooterGameState.ForceNetUpdate(bool,bool,bool)", reinterpret_cast<void*>(&ForceNetUpdate)},
      {"FMemory.Free(void*)", reinterpret_cast<void*>(&FreeMemory)},
  };
  return functions;
}

struct Member {
  const void* owner;  // the one object of that class in this game
  std::size_t offset;
};

const std::map<std::string, Member>& Members() {
  static const std::map<std::string, Member> members = {
      {"UWorld.GameState", {&world, offsetof(UWorld, GameState)}},
      {"AShooterGameState.DayNumber", {&gameState, offsetof(AShooterGameState, DayNumber)}},
  };
  return members;
}

class ApiUtils final : public ZelApi::IApiUtils {
 public:
  UWorld* CurrentWorld() const override { return worldPresent ? &world : nullptr; }
};

}  // namespace

namespace Internal {

void CheckUnreplicatedWrite() {
  if (gameState.DayNumber == observed) return;
  observed = gameState.DayNumber;
  RecordWrite(observed);
}

bool LastWriteOf(std::string_view source, std::chrono::system_clock::time_point& when) {
  const auto found = lastWrites.find(source);
  if (found == lastWrites.end()) return false;
  when = found->second;
  return true;
}

void CheckWritesReplicated() {
  CheckUnreplicatedWrite();
  if (gameState.DayNumber == replicated || unreplicatedFaulted) return;
  unreplicatedFaulted = true;
  Fault("day " + std::to_string(gameState.DayNumber) + " written without a network update");
}

void ResetGame() {
  unreplicatedFaulted = false;
  gameState = {};
  world = {};
  world.GameState = &gameState;
  gameState.DayNumber = observed = replicated = 1;
  worldPresent = true;
  unresolvable.clear();
  netUpdates = 0;
  lastWrites.clear();
  SetDayLength(0);
}

}  // namespace Internal

int32_t Day() { return gameState.DayNumber; }
int32_t ReplicatedDay() { return replicated; }
int NetUpdates() { return netUpdates; }

void SetGameDay(int32_t day) {
  gameState.DayNumber = observed = replicated = day;
  writeRecorded = unreplicatedFaulted = false;
}

void SetWorldPresent(bool present) { worldPresent = present; }
void SetGameStatePresent(bool present) { world.GameState = present ? &gameState : nullptr; }

void SetNameResolvable(const std::string& name, bool resolvable) {
  if (resolvable)
    unresolvable.erase(name);
  else
    unresolvable.insert(name);
}

void SetDayLength(double seconds) {
  // To the nearest tick, not truncated: 1.001 s must stay 1.001 s over a million dawns.
  dayDuration = std::chrono::round<std::chrono::system_clock::duration>(
      std::chrono::duration<double>(seconds > 0 ? seconds : 0));
  dayStart = std::chrono::system_clock::now();
}

void RunDayCycleUntil(std::chrono::system_clock::time_point now) {
  if (dayDuration.count() <= 0) return;  // the cycle is stopped
  if (now - dayStart < dayDuration) return;
  Internal::CheckUnreplicatedWrite();  // a write seen only now is not the day cycle's
  const Internal::SourceScope source("dawn");
  while (now - dayStart >= dayDuration) {
    dayStart += dayDuration;
    // The game's counter is a signed 32-bit number: past 2147483647 it wraps to -2147483648.
    SetGameDay(static_cast<int32_t>(static_cast<uint32_t>(gameState.DayNumber) + 1u));
    Internal::Record(Event::Kind::Dawn, gameState.DayNumber);
  }
}

}  // namespace DevHost

// ---- Host contract -----------------------------------------------------------------------

ZelApi::IApiUtils& ZelApi::GetApiUtils() {
  static DevHost::ApiUtils utils;
  return utils;
}

void* ZelApi::GetAddress(const std::string& name) {
  const auto& functions = DevHost::Functions();
  const auto found = functions.find(name);
  if (found == functions.end() || DevHost::unresolvable.count(name)) {
    DevHost::Internal::Record(DevHost::Event::Kind::Unresolved, 0, name);
    return nullptr;
  }
  return found->second;
}

uint64_t ZelApi::GetAddress(const void* object, const std::string& name) {
  const auto& members = DevHost::Members();
  const auto found = members.find(name);
  if (found == members.end() || DevHost::unresolvable.count(name)) {
    DevHost::Internal::Record(DevHost::Event::Kind::Unresolved, 0, name);
    return 0;
  }
  if (object == nullptr) {
    DevHost::Internal::Fault("GetAddress of " + name + " on a null object");
    return 0;
  }
  if (object != found->second.owner) {
    DevHost::Internal::Fault("GetAddress of " + name + " on an object of another class");
    return 0;
  }
  return reinterpret_cast<uint64_t>(object) + found->second.offset;
}
