// Start-up and shut-down order of the plugin, and the plugin logger.
#include "Plugin.h"

#include <iterator>

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

// The timer callback of each policy, in the order of kDayPolicies.
constexpr void (*kPolicyTicks[])() = {ForceDayTick, ForceWeekDayTick, ResetDaysTick, ForceMonthDayTick};
static_assert(std::size(kPolicyTicks) == std::size(kDayPolicies), "one tick per policy");

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
  for (std::size_t i = 0; i < std::size(kDayPolicies); ++i)
    if (kDayPolicies[i].switchedOn()) RegisterTimer(kDayPolicies[i].timer, kPolicyTicks[i]);
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
