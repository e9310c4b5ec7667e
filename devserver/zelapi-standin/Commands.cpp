// The framework's registries for console commands, RCON commands and timers, and their calls.
#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "Internal.h"

namespace DevHost {
namespace {

template <typename Callback>
struct Entry {
  std::string name;
  Callback callback;
  std::string owner;  // the plugin that registered it
};

std::vector<Entry<ZelApi::ConsoleCallback>> console;
std::vector<Entry<ZelApi::RconCallback>> rcon;
std::vector<Entry<ZelApi::TimerCallback>> timers;
std::string nextRegistrationFailure;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
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
  Internal::Record(std::string("register ") + kind + " " + text);
  for (auto& entry : registry) {
    if (SameName(entry.name, text)) {
      entry = {text, callback, Internal::ActivePlugin()};
      return;
    }
  }
  registry.push_back({text, callback, Internal::ActivePlugin()});
}

template <typename Callback>
void Remove(std::vector<Entry<Callback>>& registry, const char* kind, const FString& name) {
  const std::string text = Internal::Narrow(name);
  Internal::Record(std::string("unregister ") + kind + " " + text);
  registry.erase(std::remove_if(registry.begin(), registry.end(),
                                [&](const auto& entry) { return SameName(entry.name, text); }),
                 registry.end());
}

template <typename Callback>
std::vector<std::string> Names(const std::vector<Entry<Callback>>& registry) {
  std::vector<std::string> names;
  for (const auto& entry : registry) names.push_back(entry.name);
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
// destroying it would call into unmapped memory. Moving it out calls none of that code.
template <typename Callback>
void Orphan(Callback&& callback) {
  static auto* orphans = new std::vector<Callback>();  // never destroyed, on purpose
  orphans->push_back(std::move(callback));
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

// Runs a plugin callback with its owner marked active, then checks that every day it wrote
// was replicated.
template <typename Call>
void InvokeAs(const std::string& owner, Call&& call) {
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

std::string Joined(const std::vector<std::string>& names) {
  if (names.empty()) return "-";
  std::string joined;
  for (const auto& name : names) joined += (joined.empty() ? "" : ",") + name;
  return joined;
}

}  // namespace

namespace Internal {

void ResetRegistries() {
  nextRegistrationFailure.clear();
  console.clear();
  rcon.clear();
  timers.clear();
}

void DropRegistrationsOf(const std::string& plugin) {
  DropOwned(console, "console", plugin);
  DropOwned(rcon, "rcon", plugin);
  DropOwned(timers, "timer", plugin);
}

std::string& ActivePlugin() {
  static std::string active;
  return active;
}

}  // namespace Internal

std::vector<std::string> ConsoleCommands() { return Names(console); }
std::vector<std::string> RconCommands() { return Names(rcon); }
std::vector<std::string> Timers() { return Names(timers); }

bool RunConsole(const std::string& line) {
  const auto* entry = Find(console, line);
  if (entry == nullptr) return false;
  const auto callback = entry->callback;  // the callback may remove its own entry
  FString text;
  Internal::MakeFString(text, line);
  InvokeAs(entry->owner, [&] { callback(nullptr, &text, false); });
  Internal::Release(text.Data.Data);
  return true;
}

bool RunRcon(const std::string& line, int32_t id) {
  const auto* entry = Find(rcon, line);
  if (entry == nullptr) return false;
  const auto callback = entry->callback;
  RCONPacket packet;
  packet.Id = id;
  packet.Type = 2;  // EXECCOMMAND
  packet.Length = static_cast<int32_t>(line.size() + 10);
  Internal::MakeFString(packet.Body, line);
  InvokeAs(entry->owner,
           [&] { callback(nullptr, &packet, ZelApi::GetApiUtils().CurrentWorld()); });
  Internal::Release(packet.Body.Data.Data);
  return true;
}

void RunTimers() {
  std::vector<Entry<ZelApi::TimerCallback>> due = timers;
  for (const auto& entry : due) {
    // A timer removed by an earlier callback in this round is not called.
    const bool stillThere = std::any_of(timers.begin(), timers.end(),
                                        [&](const auto& t) { return t.name == entry.name; });
    if (stillThere) InvokeAs(entry.owner, entry.callback);
  }
}

void FailNextRegistration(const std::string& what) { nextRegistrationFailure = what; }

ZelApi::ConsoleCallback ConsoleCallbackOf(const std::string& name) {
  const auto* entry = Find(console, name);
  return entry ? entry->callback : ZelApi::ConsoleCallback();
}

ZelApi::TimerCallback TimerCallbackOf(const std::string& name) {
  const auto* entry = Find(timers, name);
  return entry ? entry->callback : ZelApi::TimerCallback();
}

std::string StatusLine() {
  std::string plugins;
  const auto names = PluginNames();
  for (const auto& name : names) {
    const PluginState state = StateOf(name);
    const char* text = state == PluginState::Loaded   ? "loaded"
                       : state == PluginState::Failed ? "failed"
                                                      : "unloaded";
    plugins += (plugins.empty() ? "" : ",") + (names.size() > 1 ? name + ":" : "") + text;
  }
  std::ostringstream line;
  line << "day=" << Day() << " replicated=" << ReplicatedDay()
       << " plugin=" << (plugins.empty() ? "none" : plugins)
       << " console=" << Joined(ConsoleCommands()) << " rcon=" << Joined(RconCommands())
       << " timers=" << Joined(Timers()) << " buffers=" << OutstandingBuffers()
       << " log_lines=" << SinkLines().size() << " faults=" << Faults().size();
  return line.str();
}

}  // namespace DevHost

ZelApi::ICommands& ZelApi::GetCommands() {
  static DevHost::Commands commands;
  return commands;
}
