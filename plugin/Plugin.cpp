// Start-up and shut-down order of the plugin, and the plugin logger.
#include "Plugin.h"

#include <iterator>
#include <string_view>

#include <spdlog/spdlog.h>

#include "config/Config.h"
#include "day/Day.h"
#include "day/PolicyTable.h"
#include "day/Policies.h"
#include "host/HostMemory.h"

namespace {

// Calls one registry operation with an identifier made for that call alone.
template <typename Operation>
void WithIdentifier(const char* identifier, Operation&& operation) {
  FString name(identifier);
  auto release = HoldHostMemory(name);
  operation(ZelApi::GetCommands(), name);
}

void RegisterTimer(const char* identifier, void (*tick)()) {
  WithIdentifier(identifier, [tick](ZelApi::ICommands& commands, const FString& name) {
    commands.RegisterTimerCallback(name, ZelApi::TimerCallback(tick));
  });
}

// The timer callback of each policy, by its timer identifier.
struct PolicyTick {
  std::string_view timer;
  void (*tick)();
};
constexpr PolicyTick kPolicyTicks[] = {{"forceday", ForceDayTick},
                                       {"forceweekday", ForceWeekDayTick},
                                       {"resetdays", ResetDaysTick},
                                       {"forcemonthday", ForceMonthDayTick}};

// Returns the callback of a policy of kDayPolicies (the assertion below makes sure there is one).
void (*TickOf(std::string_view timer))() {
  for (const PolicyTick& entry : kPolicyTicks)
    if (entry.timer == timer) return entry.tick;
  return nullptr;
}

constexpr bool EveryPolicyHasItsTick() {
  for (const DayPolicy& policy : kDayPolicies) {
    bool found = false;
    for (const PolicyTick& entry : kPolicyTicks) found = found || entry.timer == policy.timer;
    if (!found) return false;
  }
  return std::size(kPolicyTicks) == std::size(kDayPolicies);
}
static_assert(EveryPolicyHasItsTick(), "each policy of kDayPolicies, and no other, has a tick here");

}  // namespace

std::shared_ptr<spdlog::logger>& PluginLog() {
  static std::shared_ptr<spdlog::logger> log;
  return log;
}

void Load() {
  std::shared_ptr<spdlog::logger>& log = PluginLog();
  const ZelApi::LogSinks& sinks = ZelApi::GetLogSinks();
  log = std::make_shared<spdlog::logger>("Morrowset", sinks.begin(), sinks.end());
  log->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  log->flush_on(spdlog::level::info);

  WithIdentifier("day.set", [](ZelApi::ICommands& commands, const FString& name) {
    commands.RegisterConsoleCommand(name, ZelApi::ConsoleCallback(OnSetDayConsole));
  });
  WithIdentifier("day.set", [](ZelApi::ICommands& commands, const FString& name) {
    commands.RegisterRconCommand(name, ZelApi::RconCallback(OnSetDayRcon));
  });

  ReadConfig();

  // Each switch is read as its row is reached: the "FollowMonthDayNumber" lookup, which may
  // throw, comes after the first three registrations.
  for (const DayPolicy& policy : kDayPolicies)
    if (policy.switchedOn()) RegisterTimer(policy.timer, TickOf(policy.timer));
}

void Unload() {
  WithIdentifier("day.set", [](ZelApi::ICommands& commands, const FString& name) {
    commands.UnregisterConsoleCommand(name);
  });
  WithIdentifier("day.set", [](ZelApi::ICommands& commands, const FString& name) {
    commands.UnregisterRconCommand(name);
  });
  for (const DayPolicy& policy : kDayPolicies) {
    WithIdentifier(policy.timer, [](ZelApi::ICommands& commands, const FString& name) {
      commands.UnregisterTimerCallback(name);
    });
  }
}
