// Runs --forecast: loads the plugins, runs the clock ahead, prints the timeline.
#include "ForecastMode.h"

#include <iostream>

#include "DevHost.h"
#include "Forecast.h"
#include "GameLoop.h"
#include "WallClock.h"

// Loads the plugins and prints the forecast; returns the exit code.
int ForecastMain(const ServerOptions& options, std::chrono::seconds duration) {
  Forecast forecast(std::cout);
  DevHost::SetListener([&forecast](const DevHost::Event& event) { forecast.OnEvent(event); });
  DevHost::Reset();
  DevHost::SetServerDir(options.serverDir);
  DevHost::SetDayLength(options.dayLength);
  DevHost::LoadServerPlugins();
  std::string failure;
  if (DevHost::PluginNames().empty()) failure = "no plugins in " + options.serverDir;
  for (const auto& name : DevHost::PluginNames()) {
    if (failure.empty() && DevHost::StateOf(name) != DevHost::PluginState::Loaded)
      failure = "plugin " + name + " failed: " + DevHost::LoadErrorOf(name);
  }
  int code = 1;
  if (failure.empty()) {
    GameClock clock(options.TimerInterval());
    code = RunForecast(forecast, clock, duration, options.dayLength);
  } else {
    std::cout << "forecast: " << failure << std::endl;
  }
  DevHost::SetListener(nullptr);
  DevHost::UnloadAllPlugins();
  return code;
}

// Reads the --forecast duration and checks it against the timer interval; 0 or an exit code.
int ReadForecast(const ServerOptions& options, std::chrono::seconds& duration) {
  if (options.forecast.empty()) return 0;
  if (!WallClock::ParseDuration(options.forecast, duration)) {
    std::cerr << "morrowset-devserver: --forecast takes a duration (" << WallClock::kDurationExamples
              << "): " << options.forecast << "\n";
    return 2;
  }
  return 0;
}
