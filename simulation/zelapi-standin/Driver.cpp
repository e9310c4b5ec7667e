// The control surface as a driver calls it: every call goes through the table of the stand-in
// this program loaded by its full path, never through an import that a system loader resolves
// by name (which could find the server's own framework first).
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "Control.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace fs = std::filesystem;

namespace DevHost {
namespace {

const Control* bound = nullptr;

// The path bound, safe to use from a static initializer of the program.
std::string& BoundPath() {
  static std::string path;
  return path;
}

// Loads the library at path and returns its MorrowsetStandInControl, or null with why.
const Control* LoadTable(const fs::path& path, std::string& why) {
#if defined(_WIN32)
  // Altered search path: the stand-in's own runtime imports are looked for beside it first.
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    why = "cannot load it (Windows error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  auto table = reinterpret_cast<const Control* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(module, "MorrowsetStandInControl")));
#else
  // Global, as a linked library is: the plugin's run-time lookup of the host's extension finds it.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!module) {
    why = std::string("cannot load it: ") + dlerror();
    return nullptr;
  }
  auto table = reinterpret_cast<const Control* (*)()>(dlsym(module, "MorrowsetStandInControl"));
#endif
  if (!table) {
    why = "it is not Morrowset's stand-in of the framework";
    return nullptr;
  }
  const Control* control = table();
  if (!control) {
    why = "it is not Morrowset's stand-in of the framework (it offers no control table)";
    return nullptr;
  }
  const bool sameSize = control->size == sizeof(Control) && control->release;
  if (!sameSize || std::strcmp(control->release, MORROWSET_VERSION) != 0) {
    why = std::string("it is the stand-in of Morrowset ") +
          (sameSize ? control->release : "of another release") + ", not of " + MORROWSET_VERSION;
    return nullptr;
  }
  return control;
}

const Control& Bound() {
  if (!bound) {
    const std::string why = Bind((ProgramFolder() / StandInFileName()).u8string());
    if (!why.empty()) throw std::runtime_error(why);
  }
  return *bound;
}

}  // namespace

const char* StandInFileName() {
#if defined(_WIN32)
  return "ZelApi.dll";
#else
  return "libZelApi.so";
#endif
}

fs::path ProgramFolder() {
#if defined(_WIN32)
  wchar_t path[32768];
  const DWORD size = GetModuleFileNameW(nullptr, path, 32768);
  return fs::path(std::wstring(path, size)).parent_path();
#else
  return fs::canonical("/proc/self/exe").parent_path();
#endif
}

std::string Bind(const std::string& path) {
  if (bound) return path == BoundPath() ? "" : "the stand-in is bound already, to " + BoundPath();
  const fs::path file = fs::u8path(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return "no stand-in of the framework at " + path;
  std::string why;
  bound = LoadTable(file, why);
  if (!bound) return path + ": " + why;
  BoundPath() = path;
  return "";
}

std::string Event::Name() const { return Bound().EventName(*this); }
std::string Event::Sentence() const { return Bound().EventSentence(*this); }
std::vector<std::string> Names(const Events& events) { return Bound().Names(events); }
void Reset() { Bound().Reset(); }
void SetServerDir(const std::string& dir) { Bound().SetServerDir(dir); }
void SetLoadFailureExtension(bool offered) { Bound().SetLoadFailureExtension(offered); }
void KeepEvents(bool keep) { Bound().KeepEvents(keep); }
Events AllEvents() { return Bound().AllEvents(); }
Events TakeEvents() { return Bound().TakeEvents(); }
std::vector<std::string> Faults() { return Bound().Faults(); }
void SetListener(std::function<void(const Event&)> listener) { Bound().SetListener(std::move(listener)); }
bool LoadPlugin(const std::string& name, const std::string& path) { return Bound().LoadPlugin(name, path); }
std::string PluginFolder(const std::string& dir, const std::string& plugin) {
  return Bound().PluginFolder(dir, plugin);
}
void LoadServerPlugins() { Bound().LoadServerPlugins(); }
void UnloadPlugin(const std::string& name) { Bound().UnloadPlugin(name); }
void UnloadAllPlugins() { Bound().UnloadAllPlugins(); }
std::vector<std::string> PluginNames() { return Bound().PluginNames(); }
PluginState StateOf(const std::string& name) { return Bound().StateOf(name); }
std::string LoadErrorOf(const std::string& name) { return Bound().LoadErrorOf(name); }
unsigned long PlatformErrorOf(const std::string& name) { return Bound().PlatformErrorOf(name); }
std::string LibraryFileName(const std::string& name) { return Bound().LibraryFileName(name); }
std::vector<std::string> ConsoleCommands() { return Bound().ConsoleCommands(); }
std::vector<std::string> RconCommands() { return Bound().RconCommands(); }
std::vector<std::string> Timers() { return Bound().Timers(); }
bool RunConsole(const std::string& line) { return Bound().RunConsole(line); }
bool RunRcon(const std::string& line, int32_t id) { return Bound().RunRcon(line, id); }
void FailNextRegistration(const std::string& what) { Bound().FailNextRegistration(what); }
void RunTimers() { Bound().RunTimers(); }
ZelApi::ConsoleCallback ConsoleCallbackOf(const std::string& name) { return Bound().ConsoleCallbackOf(name); }
ZelApi::TimerCallback TimerCallbackOf(const std::string& name) { return Bound().TimerCallbackOf(name); }
int32_t Day() { return Bound().Day(); }
int32_t ReplicatedDay() { return Bound().ReplicatedDay(); }
void SetGameDay(int32_t day) { Bound().SetGameDay(day); }
int NetUpdates() { return Bound().NetUpdates(); }
void SetWorldPresent(bool present) { Bound().SetWorldPresent(present); }
void SetGameStatePresent(bool present) { Bound().SetGameStatePresent(present); }
void SetNameResolvable(const std::string& name, bool resolvable) {
  Bound().SetNameResolvable(name, resolvable);
}
void SetDayLength(double seconds) { Bound().SetDayLength(seconds); }
void RunDayCycleUntil(std::chrono::system_clock::time_point now) { Bound().RunDayCycleUntil(now); }
std::size_t OutstandingBuffers() { return Bound().OutstandingBuffers(); }
std::vector<std::string> SinkLines() { return Bound().SinkLines(); }
std::shared_ptr<spdlog::sinks::sink> RecordingSink() { return Bound().RecordingSink(); }
std::string LocalTime(std::chrono::system_clock::time_point t, const char* format) {
  return Bound().LocalTime(t, format);
}
void SetTimeFormatter(TimeFormatter formatter) { Bound().SetTimeFormatter(std::move(formatter)); }
std::string StatusLine() { return Bound().StatusLine(); }

}  // namespace DevHost
