// One simulated server session: the wall clock, the stand-in host and its plugins, set up in one order.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "DevHost.h"
#include "LocalCalendar.h"

// Opens a session on the stand-in in the one order every program and fixture needs, and hands it
// back in the reverse: the wall clock first (the game's day cycle starts where the host is
// reset), the host reset on the server folder, the game's day and day cycle, the zone the host
// shows its times in, the listener; plugins load after that. At most one is open at a time, on
// the game thread.
class Simulation {
 public:
  struct Setup {
    std::string serverDir;
    std::optional<std::chrono::system_clock::time_point> start;  // the wall clock's start; none: as it is
    bool clockRuns = false;       // from start the clock runs on with the machine's, or stands still
    double dayLengthSeconds = 0;  // real seconds per in-game day; 0: no day cycle
    std::optional<int32_t> day;   // the day the game holds at the start; none: the host's own
    const LocalCalendar* calendar = nullptr;  // the host shows its times in this zone, when it has one
    std::function<void(const DevHost::Event&)> listener;  // hears every event as it happens
    bool keepEvents = false;                              // keeps them too, for AllEvents and TakeEvents
  };

  // Opens the session; throws std::logic_error while another is open.
  explicit Simulation(Setup setup);
  // Stops listening, unloads what is still loaded, and gives the clock its real time back.
  ~Simulation();
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // Hands every event from now on to listener instead, for a listener made once the session is open.
  void Listen(std::function<void(const DevHost::Event&)> listener);
  // Loads every plugin of the server folder; returns why the session cannot go on ("no plugins
  // in DIR", "plugin X failed: ..."), or an empty text when each loaded.
  std::string LoadServerPlugins();
  // Loads one plugin library by name; returns an empty text, or why it failed to start.
  std::string LoadPlugin(const std::string& name, const std::string& libraryPath);
  // Unloads every plugin in reverse load order, still heard by the listener, as a server stops.
  void UnloadPlugins();

 private:
  Setup setup_;
};
