// Runs --forecast: loads the plugins, runs the clock ahead, prints the timeline.
#include "ForecastMode.h"

#include <iostream>

#include "DevHost.h"
#include "Forecast.h"
#include "GameClock.h"
#include "Simulation.h"
#include "WallClock.h"

int ForecastMain(const ServerOptions& options, std::optional<WallClock::Time> start,
                 const LocalCalendar& calendar) {
  Forecast forecast(std::cout);
  Simulation::Setup setup;
  setup.serverDir = options.serverDir;
  setup.start = start;
  setup.dayLengthSeconds = options.dayLengthSeconds;
  setup.calendar = &calendar;
  setup.listener = [&forecast](const DevHost::Event& event) { forecast.OnEvent(event); };
  Simulation session(setup);
  if (const std::string failure = session.LoadServerPlugins(); !failure.empty()) {
    std::cout << "forecast: " << failure << std::endl;
    return 1;
  }
  GameClock clock(options.TimerInterval());
  return RunForecast(forecast, clock, options.forecastLength, options.dayLengthSeconds);
}
