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

// The timer callback of each policy, in the rows' order of kDayPolicies.
constexpr void (*kPolicyTicks[])() = {ForceDayTick, ForceWeekDayTick, ResetDaysTick, ForceMonthDayTick};
static_assert(std::size(kPolicyTicks) == kPolicyCount,
              "each policy of kDayPolicies, and no other, has a tick");

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
  for (std::size_t row = 0; row < kPolicyCount; ++row)
    if (kDayPolicies[row].switchedOn()) RegisterTimer(kDayPolicies[row].timer, kPolicyTicks[row]);
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
