// Drives and inspects the development host: plugins, registries, the game, the allocator, sinks.
//
// Everything here runs on the game thread (the caller's), one call at a time, like the framework.
// What the plugin does is recorded as events (Event, below), in order, each with what was
// running and the time; Event::Name and Event::Sentence word each as one line, for tests and for
// admins, and are the only places that do.
// Events go to the listener as they happen; they are kept only when asked (KeepEvents).
// Anything that breaks the host contract (double or foreign free, a member looked up on the
// wrong object, a callback left registered after unload, ...) is recorded as a fault.
//
// A driver reaches these calls through the stand-in's one table (Control.h), bound from the
// stand-in it loaded by full path; the stand-in exports nothing else of them.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/ZelApi.h"

namespace DevHost {

// One thing the host saw happen, when it happened.
struct Event {
  enum class Kind {
    None,        // not an event: what a default Event holds until it is given a kind
    Register,    // a registry operation: text "console day.set", "timer forceday", ...
    Unregister,  // the same, removed
    Day,         // a plugin wrote day to the game state's day counter: seen as a changed value, or
                 // for the value already there through the network update that follows
    Update,      // the game state's network update ran; clients now see day
    Dawn,        // the game's own day cycle advanced the day to day (and replicated it)
    Free,        // an engine buffer came back through "FMemory.Free(void*)"
    Unresolved,  // GetAddress was asked for a name the game does not know: text
    Plugin,      // a plugin loaded, failed, was skipped or unloaded: text "<name> loaded", ...
    Fault,       // the host contract was broken: text says how
  };
  Kind kind = Kind::None;
  // What was running: the timer id while a timer callback runs, "console" or "rcon" while a
  // command runs, "dawn" while the day cycle advances, "load" or "unload" while a plugin starts
  // or stops, and "host" otherwise.
  std::string source;
  std::chrono::system_clock::time_point at;  // the server's wall-clock time
  int32_t day = 0;                           // for Day, Update and Dawn
  std::string text;                          // for the kinds above that name something

  // Returns the event as one short line, as tests compare it: "day 12", "register console
  // day.set", "fault: ...".
  std::string Name() const;
  // Returns the event as an admin reads it: the day's changes in words ("day written: 12",
  // "replicated to clients: day 12", "a new day dawns: day 13"), the rest as Name does.
  std::string Sentence() const;
};
using Events = std::vector<Event>;
// Returns the Name of each event, in order.
std::vector<std::string> Names(const Events& events);

// ---- Host state --------------------------------------------------------------------------

// Returns host and game to their start state: empty registries and event log, day 1, world and
// game state present, every name resolvable, no faults. Whether events are kept stays as set.
// Plugins must be unloaded first.
void Reset();
// Sets the directory that ZelApi::Tools::GetCurrentDir reports.
void SetServerDir(const std::string& dir);
// Offers (true, the default) or withholds DevHostReportLoadFailure. Withheld, the host hears
// of a failed start-up only what the real framework hears: a failed load on Windows, nothing
// on Linux.
void SetLoadFailureExtension(bool offered);

// Keeps every event from now on for AllEvents and TakeEvents (true), or none (false, the start
// state): a host that runs for days keeps no history that nobody reads.
void KeepEvents(bool keep);
// Returns every event kept since the last Reset or TakeEvents, in order.
Events AllEvents();
// Returns the events recorded since the last call, and forgets them.
Events TakeEvents();
// Returns every contract violation seen since Reset.
std::vector<std::string> Faults();
// Calls listener with each event, faults included, as it is recorded.
void SetListener(std::function<void(const Event&)> listener);

// ---- Plugins -----------------------------------------------------------------------------

enum class PluginState { Unloaded, Loaded, Failed };

// Loads a plugin library with the platform loader; its attach notification runs its start-up.
// A failure reported from the attach notification unloads it again at once. Returns whether
// it is loaded afterwards.
bool LoadPlugin(const std::string& name, const std::string& libraryPath);
// Returns the folder of the named plugin in a server folder, where its library and files live.
std::string PluginFolder(const std::string& serverDir, const std::string& plugin);
// Loads every "<dir>/TolvApi/Plugins/<Name>/<Name>" library below the server folder, by name.
void LoadServerPlugins();
// Unloads a loaded plugin; its detach notification runs, then its static teardown.
void UnloadPlugin(const std::string& name);
// Unloads every loaded plugin, in reverse load order.
void UnloadAllPlugins();
// Returns the names of all plugins seen, in load order.
std::vector<std::string> PluginNames();
PluginState StateOf(const std::string& name);
// Returns the error text of a failed load, empty otherwise.
std::string LoadErrorOf(const std::string& name);
// Returns the platform loader's error code of the last load (Windows' GetLastError), else 0.
unsigned long PlatformErrorOf(const std::string& name);
// Returns the platform file name of a plugin library: "<Name>.so" or "<Name>.dll".
std::string LibraryFileName(const std::string& name);

// ---- Registries and callbacks ------------------------------------------------------------

std::vector<std::string> ConsoleCommands();
std::vector<std::string> RconCommands();
std::vector<std::string> Timers();

// Runs a console line: the first word picks the command (any case), which gets the whole
// line. Returns false when no command has that name.
bool RunConsole(const std::string& line);
// Runs an RCON command line as the body of packet id. Returns false when no command matches.
bool RunRcon(const std::string& line, int32_t id = 1);
// Makes the next registration of any kind throw std::runtime_error(what), as a host out of
// memory would, after it has read the name.
void FailNextRegistration(const std::string& what);
// Calls every registered timer callback once, in registration order.
void RunTimers();
// Returns a copy of the callback registered under a console command or timer name (empty if none),
// for callers that time the callback alone.
ZelApi::ConsoleCallback ConsoleCallbackOf(const std::string& name);
ZelApi::TimerCallback TimerCallbackOf(const std::string& name);

// ---- The game ----------------------------------------------------------------------------

// Returns the game state's day counter, as the server sees it.
int32_t Day();
// Returns the day that connected clients see, changed only by a network update.
int32_t ReplicatedDay();
// Sets the day as the game would (for instance from a save), replicated at once.
void SetGameDay(int32_t day);
// Returns how often the game state's network update has run since Reset.
int NetUpdates();
// Makes CurrentWorld return null (false) or the world (true).
void SetWorldPresent(bool present);
// Makes the world's game-state pointer null (false) or the game state (true).
void SetGameStatePresent(bool present);
// Makes GetAddress fail (false) or succeed (true) for one name.
void SetNameResolvable(const std::string& name, bool resolvable);
// Sets the real seconds one in-game day lasts; 0 stops the day cycle.
void SetDayLength(double seconds);
// Runs the day cycle up to the given wall-clock time (the day cycle follows the server's clock,
// so a clock moved forward passes game days too).
void RunDayCycleUntil(std::chrono::system_clock::time_point now);

// ---- Engine allocator and sinks ----------------------------------------------------------

// Returns the number of engine buffers handed out and not yet freed.
std::size_t OutstandingBuffers();
// Returns the lines that reached the host's recording log sink.
std::vector<std::string> SinkLines();
// Returns the host's recording log sink (one of GetLogSinks()).
std::shared_ptr<spdlog::sinks::sink> RecordingSink();

// Formats a wall-clock time in the server's zone with strftime's conversions ("%H:%M:%S %Z").
std::string LocalTime(std::chrono::system_clock::time_point t, const char* format);
// Formats the host's times another way from now on, as the development server does to print
// them in the plugin's own zone; an empty one returns to the server's zone.
using TimeFormatter = std::function<std::string(std::chrono::system_clock::time_point, const char*)>;
void SetTimeFormatter(TimeFormatter formatter);

// Returns one line of key=value fields: day, replicated, plugin, console, rcon, timers, buffers,
// log_lines, faults, clock and zone (the server's local time), timer_writes (each timer's last
// write of the day, or never).
std::string StatusLine();

}  // namespace DevHost

// Our extension of the framework, which the real ZelApi does not export: a plugin whose start-up
// fails calls it from its attach notification with the reason, after looking it up at run time
// (GetProcAddress on ZelApi.dll, dlsym elsewhere). The host then records the load as failed
// with that text, and unloads the library once the platform loader returns.
extern "C" ZELAPI void DevHostReportLoadFailure(const char* what);
