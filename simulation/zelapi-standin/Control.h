// The stand-in's control surface as one table, the stand-in's only export for drivers: a program
// loads the stand-in by its full path, checks that it is the stand-in of its own release, and
// calls it through this table (Driver.cpp), so that no system loader picks a framework by name.
#pragma once

#include <cstddef>
#include <filesystem>

#include "DevHost.h"

// Every call of DevHost.h, by name, in the table's order.
// clang-format off
#define DEVHOST_CALLS(X) \
  X(Names) \
  X(Reset) \
  X(SetServerDir) \
  X(SetLoadFailureExtension) \
  X(KeepEvents) \
  X(AllEvents) \
  X(TakeEvents) \
  X(Faults) \
  X(SetListener) \
  X(LoadPlugin) \
  X(PluginFolder) \
  X(LoadServerPlugins) \
  X(UnloadPlugin) \
  X(UnloadAllPlugins) \
  X(PluginNames) \
  X(StateOf) \
  X(LoadErrorOf) \
  X(PlatformErrorOf) \
  X(LibraryFileName) \
  X(ConsoleCommands) \
  X(RconCommands) \
  X(Timers) \
  X(RunConsole) \
  X(RunRcon) \
  X(FailNextRegistration) \
  X(RunTimers) \
  X(ConsoleCallbackOf) \
  X(TimerCallbackOf) \
  X(Day) \
  X(ReplicatedDay) \
  X(SetGameDay) \
  X(NetUpdates) \
  X(SetWorldPresent) \
  X(SetGameStatePresent) \
  X(SetNameResolvable) \
  X(SetDayLength) \
  X(RunDayCycleUntil) \
  X(OutstandingBuffers) \
  X(SinkLines) \
  X(RecordingSink) \
  X(LocalTime) \
  X(SetTimeFormatter) \
  X(StatusLine)
// clang-format on

namespace DevHost {

// The table: its own size and release first, so that a driver refuses another build's table.
struct Control {
  std::size_t size;                            // sizeof(Control) in the stand-in's build
  const char* release;                         // the stand-in's release, "1.3.0"
  std::string (*EventName)(const Event&);      // Event::Name
  std::string (*EventSentence)(const Event&);  // Event::Sentence
#define DEVHOST_MEMBER(call) decltype(&DevHost::call) call;
  DEVHOST_CALLS(DEVHOST_MEMBER)
#undef DEVHOST_MEMBER
};

// Loads the stand-in at path (absolute) and binds every call to it; returns an empty text, or
// one line saying why not (no such file, not the stand-in, another release) with nothing bound.
// Binding twice to the same file does nothing; a program that binds nothing before its first
// call gets the stand-in beside the program itself.
std::string Bind(const std::string& path);
// Returns the stand-in's file name on this platform: "ZelApi.dll" or "libZelApi.so".
const char* StandInFileName();
// Returns the folder of the running program's own file.
std::filesystem::path ProgramFolder();

}  // namespace DevHost

// Returns the stand-in's table; the name a driver looks up in what it loaded.
extern "C" ZELAPI const DevHost::Control* MorrowsetStandInControl();
