// The forecast: the plugin's timers run on the server's clock as fast as they can, and the
// timeline of the day that clients see is printed, with the source of every change.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "DevHost.h"
#include "GameClock.h"
#include "SeenDay.h"

// Collects the host's events during a forecast and prints its timeline and summary, over the span
// [start, start + duration), as the preview's dates.
class Forecast {
 public:
  explicit Forecast(std::ostream& out) : out_(out) {}
  // Prints the heading and the day at the start; the wall clock must stand at the start.
  void Start(std::chrono::seconds duration, const GameClock& clock, double dayLengthSeconds);
  // Takes one host event, from the host's listener.
  void OnEvent(const DevHost::Event& event);
  // Prints the last change, the writes per source and the day at the end; returns the exit
  // code: 0, or 1 when the plugin broke the host contract.
  int Finish();

 private:
  struct Change {
    std::chrono::system_clock::time_point at;
    std::string source;
    int day = 0;
    long long rewrites = 0;  // writes of the same value after it, until the next change
  };
  void Print(const Change& change);

  std::ostream& out_;
  Change shown_;
  std::chrono::system_clock::time_point end_;  // the first instant after the span
  SeenDay seen_{0};
};

// Prints the forecast of duration: moves the wall clock forward at the host's cadence from the
// start where it stands. The plugin is loaded and the host's listener passes events to
// forecast. Returns the exit code.
int RunForecast(Forecast& forecast, GameClock& clock, std::chrono::seconds duration, double dayLengthSeconds);
