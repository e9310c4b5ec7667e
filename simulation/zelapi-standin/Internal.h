// State shared by the development host's parts; not part of the host contract.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "DevHost.h"

namespace DevHost::Internal {

// Records an event, with what is running and the time, and passes it to the listener.
void Record(Event::Kind kind, int32_t day = 0, std::string text = {});
// Records a contract violation.
void Fault(const std::string& what);

// Engine allocator.
void* Allocate(std::size_t bytes);
void Free(void* buffer);
// Frees a buffer the host itself made and owns, without recording an event.
void Release(void* buffer);
void ResetAllocator();

// Converts an FString to narrow text; faults on a malformed string.
std::string Narrow(const FString& text);
// Makes an FString from narrow text with the engine allocator.
void MakeFString(FString& out, const std::string& text);

// Game: records a changed day counter as a plugin write ("day N").
void CheckUnreplicatedWrite();
// Game: records a changed day counter, and faults when clients do not see it; called when
// plugin code returns to the host.
void CheckWritesReplicated();
// Game: sets when to the wall-clock time of source's last write of the day; false if none.
bool LastWriteOf(std::string_view source, std::chrono::system_clock::time_point& when);
void ResetGame();
void ResetRegistries();
void ResetLoader();
void ResetSinks();

// Removes every registration made by the named plugin, faulting for each one found.
void DropRegistrationsOf(const std::string& plugin);
// The plugin whose code is running now (loading, unloading or in a callback); empty otherwise.
std::string_view& ActivePlugin();

// Runs step with the named plugin marked as the one whose code is running; name outlives it.
template <typename Step>
void AsPlugin(std::string_view name, Step&& step) {
  const std::string_view previous = ActivePlugin();
  ActivePlugin() = name;
  step();
  ActivePlugin() = previous;
}

// What is running now, for the events it causes: a timer id, "console", "rcon", "dawn", "load",
// "unload", or "host".
std::string_view& Source();

// Names the source of everything that happens while it lives.
class SourceScope {
 public:
  explicit SourceScope(std::string_view source) : previous_(Source()) { Source() = source; }
  ~SourceScope() { Source() = previous_; }
  SourceScope(const SourceScope&) = delete;
  SourceScope& operator=(const SourceScope&) = delete;

 private:
  std::string_view previous_;
};

}  // namespace DevHost::Internal
