// The framework's registries for console commands, RCON commands and timers, and their calls.
#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <type_traits>

#include "Internal.h"

namespace DevHost {
namespace {

template <typename Callback>
struct Entry {
  std::string name;
  // The host's copy, on the heap: moving an entry never runs the plugin's code (moving a
  // std::function of the MSVC STL calls into the library that made it).
  std::unique_ptr<Callback> callback;
  std::string owner;     // the plugin that registered it
  bool removed = false;  // unregistered during the timer round that is running
};

std::vector<Entry<ZelApi::ConsoleCallback>> console;
std::vector<Entry<ZelApi::RconCallback>> rcon;
std::vector<Entry<ZelApi::TimerCallback>> timers;
std::string nextRegistrationFailure;
// While a timer round runs, the timer registry keeps its shape: the callback running lives in it.
// Removals only mark their entries, registrations wait, and both take effect when it ends.
bool timerRound = false;
std::vector<Entry<ZelApi::TimerCallback>> timersAddedInRound;

template <typename Callback>
constexpr bool kIsTimer = std::is_same_v<Callback, ZelApi::TimerCallback>;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Puts entry in the registry, in the place of one with the same name if there is one.
template <typename Callback>
void Place(std::vector<Entry<Callback>>& registry, Entry<Callback>&& entry) {
  const auto same = std::find_if(registry.begin(), registry.end(),
                                 [&](const auto& e) { return SameName(e.name, entry.name); });
  if (same != registry.end())
    *same = std::move(entry);
  else
    registry.push_back(std::move(entry));
}

template <typename Callback>
void Add(std::vector<Entry<Callback>>& registry, const char* kind, const FString& name,
         const Callback& callback) {
  const std::string text = Internal::Narrow(name);
  if (!nextRegistrationFailure.empty()) {
    const std::string what = std::move(nextRegistrationFailure);
    nextRegistrationFailure.clear();
    throw std::runtime_error(what);
  }
  if (Internal::ActivePlugin().empty())
    Internal::Fault(std::string("register ") + kind + " " + text + " from outside any plugin");
  if (!callback) Internal::Fault(std::string("empty callback registered for ") + kind + " " + text);
  Internal::Record(Event::Kind::Register, 0, std::string(kind) + " " + text);
  Entry<Callback> entry{text, std::make_unique<Callback>(callback), std::string(Internal::ActivePlugin())};
  if constexpr (kIsTimer<Callback>) {
    if (timerRound) {
      timersAddedInRound.push_back(std::move(entry));
      return;
    }
  }
  Place(registry, std::move(entry));
}

template <typename Callback>
void Remove(std::vector<Entry<Callback>>& registry, const char* kind, const FString& name) {
  const std::string text = Internal::Narrow(name);
  Internal::Record(Event::Kind::Unregister, 0, std::string(kind) + " " + text);
  auto named = [&](const auto& entry) { return SameName(entry.name, text); };
  if constexpr (kIsTimer<Callback>) {
    if (timerRound) {
      for (auto& entry : registry)
        if (named(entry)) entry.removed = true;
      timersAddedInRound.erase(std::remove_if(timersAddedInRound.begin(), timersAddedInRound.end(), named),
                               timersAddedInRound.end());
      return;
    }
  }
  registry.erase(std::remove_if(registry.begin(), registry.end(), named), registry.end());
}

template <typename Callback>
std::vector<std::string> Names(const std::vector<Entry<Callback>>& registry) {
  std::vector<std::string> names;
  for (const auto& entry : registry)
    if (!entry.removed) names.push_back(entry.name);
  return names;
}

template <typename Callback>
const Entry<Callback>* Find(const std::vector<Entry<Callback>>& registry, const std::string& line) {
  std::istringstream words(line);
  std::string first;
  words >> first;
  for (const auto& entry : registry)
    if (SameName(entry.name, first)) return &entry;
  return nullptr;
}

// Keeps a callback that can never be destroyed: its code went with its unloaded library, so
// destroying it would call into unmapped memory. Its pointer moves; the callback stays put.
template <typename Callback>
void Orphan(std::unique_ptr<Callback> callback) {
  static auto* orphans = new std::vector<Callback*>();  // never destroyed, on purpose
  orphans->push_back(callback.release());
}

template <typename Callback>
void DropOwned(std::vector<Entry<Callback>>& registry, const char* kind, const std::string& plugin) {
  for (auto it = registry.begin(); it != registry.end();) {
    if (it->owner == plugin) {
      Internal::Fault(plugin + " left " + kind + " " + it->name + " registered after unload");
      Orphan(std::move(it->callback));
      it = registry.erase(it);
    } else {
      ++it;
    }
  }
}

// Runs a plugin callback with its owner marked active and its source named, then checks that
// every day it wrote was replicated.
template <typename Call>
void InvokeAs(const std::string& owner, std::string_view source, Call&& call) {
  const Internal::SourceScope scope(source);
  Internal::AsPlugin(owner, call);
  Internal::CheckWritesReplicated();
}

class Commands final : public ZelApi::ICommands {
 public:
  void RegisterConsoleCommand(const FString& name, const ZelApi::ConsoleCallback& callback) override {
    Add(console, "console", name, callback);
  }
  void RegisterRconCommand(const FString& name, const ZelApi::RconCallback& callback) override {
    Add(rcon, "rcon", name, callback);
  }
  void RegisterTimerCallback(const FString& id, const ZelApi::TimerCallback& callback) override {
    Add(timers, "timer", id, callback);
  }
  void UnregisterConsoleCommand(const FString& name) override { Remove(console, "console", name); }
  void UnregisterRconCommand(const FString& name) override { Remove(rcon, "rcon", name); }
  void UnregisterTimerCallback(const FString& id) override { Remove(timers, "timer", id); }
};

}  // namespace

namespace Internal {

void ResetRegistries() {
  nextRegistrationFailure.clear();
  timersAddedInRound.clear();
  console.clear();
  rcon.clear();
  timers.clear();
}

void DropRegistrationsOf(const std::string& plugin) {
  DropOwned(console, "console", plugin);
  DropOwned(rcon, "rcon", plugin);
  DropOwned(timers, "timer", plugin);
}

std::string_view& ActivePlugin() {
  static std::string_view active;
  return active;
}

std::string_view& Source() {
  static std::string_view current = "host";
  return current;
}

}  // namespace Internal

std::vector<std::string> ConsoleCommands() { return Names(console); }
std::vector<std::string> RconCommands() { return Names(rcon); }
std::vector<std::string> Timers() { return Names(timers); }

bool RunConsole(const std::string& line) {
  const auto* entry = Find(console, line);
  if (entry == nullptr) return false;
  const auto callback = *entry->callback;  // the callback may remove its own entry
  FString text;
  Internal::MakeFString(text, line);
  InvokeAs(entry->owner, "console", [&] { callback(nullptr, &text, false); });
  Internal::Release(text.Data.Data);
  return true;
}

bool RunRcon(const std::string& line, int32_t id) {
  const auto* entry = Find(rcon, line);
  if (entry == nullptr) return false;
  const auto callback = *entry->callback;
  RCONPacket packet;
  packet.Id = id;
  packet.Type = 2;  // EXECCOMMAND
  packet.Length = static_cast<int32_t>(line.size() + 10);
  Internal::MakeFString(packet.Body, line);
  InvokeAs(entry->owner, "rcon", [&] { callback(nullptr, &packet, ZelApi::GetApiUtils().CurrentWorld()); });
  Internal::Release(packet.Body.Data.Data);
  return true;
}

void RunTimers() {
  timerRound = true;
  for (const auto& entry : timers) {
    // A timer removed by an earlier callback in this round is not called.
    if (!entry.removed) InvokeAs(entry.owner, entry.name, *entry.callback);
  }
  timerRound = false;
  if (timersAddedInRound.empty() &&
      std::none_of(timers.begin(), timers.end(), [](const auto& entry) { return entry.removed; }))
    return;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [](const auto& entry) { return entry.removed; }),
               timers.end());
  auto added = std::move(timersAddedInRound);
  timersAddedInRound.clear();
  for (auto& entry : added) Place(timers, std::move(entry));
}

void FailNextRegistration(const std::string& what) { nextRegistrationFailure = what; }

ZelApi::ConsoleCallback ConsoleCallbackOf(const std::string& name) {
  const auto* entry = Find(console, name);
  return entry ? *entry->callback : ZelApi::ConsoleCallback();
}

ZelApi::TimerCallback TimerCallbackOf(const std::string& name) {
  const auto* entry = Find(timers, name);
  return entry ? *entry->callback : ZelApi::TimerCallback();
}

}  // namespace DevHost

ZelApi::ICommands& ZelApi::GetCommands() {
  static DevHost::Commands commands;
  return commands;
}
