// The simulated session's set-up order, and its reverse.
#include "Simulation.h"

#include <stdexcept>

#include "WallClock.h"

namespace {
bool open = false;  // whether a session is open: the host has one state, so at most one
}  // namespace

Simulation::Simulation(Setup setup) : setup_(std::move(setup)) {
  if (open) throw std::logic_error("a simulated session is open already: close it before opening another");
  open = true;
  if (setup_.start) WallClock::Set(*setup_.start, setup_.clockRuns);
  DevHost::Reset();
  DevHost::KeepEvents(setup_.keepEvents);
  DevHost::SetServerDir(setup_.serverDir);
  if (setup_.day) DevHost::SetGameDay(*setup_.day);
  DevHost::SetDayLength(setup_.dayLengthSeconds);
  if (setup_.calendar && setup_.calendar->FromData()) {
    const LocalCalendar* calendar = setup_.calendar;
    DevHost::SetTimeFormatter([calendar](std::chrono::system_clock::time_point t, const char* format) {
      return calendar->Format(t, format);
    });
  }
  DevHost::SetListener(setup_.listener);
}

Simulation::~Simulation() {
  DevHost::SetListener(nullptr);
  DevHost::UnloadAllPlugins();
  DevHost::SetTimeFormatter(nullptr);
  if (setup_.start) WallClock::UseRealTime();
  open = false;
}

void Simulation::Listen(std::function<void(const DevHost::Event&)> listener) {
  DevHost::SetListener(std::move(listener));
}

std::string Simulation::LoadServerPlugins() {
  DevHost::LoadServerPlugins();
  if (DevHost::PluginNames().empty()) return "no plugins in " + setup_.serverDir;
  for (const std::string& name : DevHost::PluginNames())
    if (DevHost::StateOf(name) != DevHost::PluginState::Loaded)
      return "plugin " + name + " failed: " + DevHost::LoadErrorOf(name);
  return "";
}

std::string Simulation::LoadPlugin(const std::string& name, const std::string& libraryPath) {
  if (DevHost::LoadPlugin(name, libraryPath)) return "";
  return DevHost::LoadErrorOf(name);
}

void Simulation::UnloadPlugins() { DevHost::UnloadAllPlugins(); }
