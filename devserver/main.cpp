// morrowset-devserver: a stand-in game server that loads plugins and reads console commands.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <iostream>
#include <string>
#include <thread>

#include <cctz/time_zone.h>

#include "DevHost.h"
#include "Forecast.h"
#include "GameLoop.h"
#include "Options.h"
#include "Rcon.h"
#include "WallClock.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

#include <csignal>
#include <random>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string RandomHex(int digits) {
  std::random_device random;
  const char* hex = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < digits; ++i) text += hex[random() % 16];
  return text;
}

fs::path ProgramDir() {
#if defined(_WIN32)
  char path[4096];
  GetModuleFileNameA(nullptr, path, sizeof path);
  return fs::path(path).parent_path();
#else
  return fs::canonical("/proc/self/exe").parent_path();
#endif
}

// Makes a fresh server folder with the built plugin and its default config.json installed.
std::string MakeServerDir() {
  const fs::path bin = ProgramDir();
  fs::path folder;
  do {
    folder = fs::temp_directory_path() / ("morrowset-server-" + RandomHex(8));
  } while (!fs::create_directory(folder));
  const fs::path plugin = DevHost::PluginFolder(folder.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  fs::copy_file(bin / DevHost::LibraryFileName("MorrowsetVelde"),
                plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  fs::copy_file(bin / "config.json", plugin / "config.json");
  return folder.string();
}

std::chrono::nanoseconds TimerInterval(const ServerOptions& options) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::duration<double>(options.timerSeconds));
}

// Returns the zone the plugin will hold, from its config.json read by the plugin's own reading
// code (the one reader of "TimeZone"). The server then prints its times in it and reads --clock
// in it, so that what it shows reads in the community's time. A file that would not load gives
// none: the plugin reports it itself when it loads.
std::optional<cctz::time_zone> PluginZone(const std::string& serverDir) {
  try {
    ReadConfigFile(ConfigPath(serverDir));  // the plugin's own reading, in this process
  } catch (const std::exception&) {
    return std::nullopt;
  }
  cctz::time_zone zone;
  if (!ConfigTimeZone || !TimeZones::Load(ConfigTimeZone->Name(), zone)) return std::nullopt;
  return zone;
}

// Prints the host's times in zone from now on, and says so.
void ShowTimesIn(const cctz::time_zone& zone) {
  DevHost::SetTimeFormatter([zone](std::chrono::system_clock::time_point t, const char* format) {
    return cctz::format(format, t, zone);
  });
  std::cout << "[host] times in " << zone.name() << ", the plugin's \"TimeZone\" (tz database "
            << TimeZones::DataVersion() << "); --clock is read in it too" << std::endl;
}

// Reads "YYYY-MM-DD HH:MM[:SS]" as a time in zone, with the grammar of every --clock. A time
// the zone skips or repeats takes the offset before the change: a skipped one moves on by the
// hour skipped, a repeated one is the first of the two.
bool ParseInZone(const std::string& text, const cctz::time_zone& zone, WallClock::Time& out) {
  WallClock::Civil c;
  if (!WallClock::ParseCivil(text, c)) return false;
  out = cctz::convert(cctz::civil_second(c.year, c.month, c.day, c.hour, c.minute, c.second), zone);
  return true;
}

// Sets the time zone and the wall clock from the options; returns 0 or an exit code.
int SetUpClock(const ServerOptions& options, std::chrono::seconds forecast,
               const std::optional<cctz::time_zone>& pluginZone) {
  std::string why;
  if (!options.zone.empty() && !WallClock::SetZone(options.zone, why)) {
    std::cerr << "morrowset-devserver: --tz: " << why << "\n";
    return 2;
  }
  if (!WallClock::Available()) {
    if (!options.clock.empty() || !options.forecast.empty()) {
      std::cerr << "morrowset-devserver: the clock cannot be set on this platform\n";
      return 1;
    }
    return 0;
  }
  WallClock::Time start = WallClock::Now();
  const bool parsed = options.clock.empty() || (pluginZone ? ParseInZone(options.clock, *pluginZone, start)
                                                           : WallClock::ParseLocal(options.clock, start));
  if (!parsed) {
    std::cerr << "morrowset-devserver: --clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\": "
              << options.clock << "\n";
    return 2;
  }
  // The zone data compiled in starts in 2000, by the zone's own calendar: before it, a zone
  // would show its offset of 2000.
  if (pluginZone && !options.clock.empty() && std::atoi(options.clock.c_str()) < TimeZones::kFirstYear) {
    std::cerr << "morrowset-devserver: --clock: the plugin's \"TimeZone\" is known from "
              << TimeZones::kFirstYear << " on: " << options.clock << "\n";
    return 2;
  }
  if (forecast > WallClock::Last() - start) {  // compared so, as the sum could overflow
    std::cerr << "morrowset-devserver: --forecast: it would run past the end of " << WallClock::kLastYear
              << ", the last year the server's clock shows: " << options.forecast << "\n";
    return 2;
  }
  // A forecast's clock stands still between the rounds it runs; a server's runs on.
  WallClock::Set(start, options.forecast.empty());
  return 0;
}

// Turns a host event into the line an admin reads: the day's changes in words, the rest by name.
std::string Describe(const DevHost::Event& event) {
  using Kind = DevHost::Event::Kind;
  switch (event.kind) {
    case Kind::Day:
      return "day written: " + std::to_string(event.day);
    case Kind::Update:
      return "replicated to clients: day " + std::to_string(event.day);
    case Kind::Dawn:
      return "a new day dawns: day " + std::to_string(event.day);
    default:
      return event.Name();
  }
}

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
    GameClock clock(TimerInterval(options));
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
    std::cerr << "morrowset-devserver: --forecast takes a duration (90s, 5m, 2h, 3d, 1d12h): "
              << options.forecast << "\n";
    return 2;
  }
  std::string tooLong;
  if (!GameClock::CanAdvance(duration, TimerInterval(options), tooLong)) {
    std::cerr << "morrowset-devserver: --forecast: " << tooLong << "\n";
    return 2;
  }
  return 0;
}

// Makes a fresh server folder unless one was given, and checks it; 0 or an exit code.
int PrepareServerFolder(ServerOptions& options, bool& fresh) {
  fresh = options.serverDir.empty();
  try {
    if (fresh) options.serverDir = MakeServerDir();
  } catch (const std::exception& error) {
    std::cerr << "morrowset-devserver: " << error.what() << "\n";
    return 1;
  }
  if (!fs::is_directory(options.serverDir)) {
    std::cerr << "morrowset-devserver: no such server folder: " << options.serverDir << "\n";
    return 1;
  }
  return 0;
}

// Removes the server folder if it was made for this run alone.
void RemoveFreshFolder(const ServerOptions& options, bool fresh) {
  if (!fresh) return;
  std::error_code ignored;
  fs::remove_all(options.serverDir, ignored);
}

// Prints each host event with the server's local time and its source; a new date gets a line first.
void PrintEvents(bool verbose) {
  DevHost::SetListener([verbose, shownDate = std::string()](const DevHost::Event& event) mutable {
    if (event.kind == DevHost::Event::Kind::Free && !verbose) return;
    const std::string date = DevHost::LocalTime(event.at, "%A %Y-%m-%d");
    if (date != shownDate) std::cout << "[host] date: " << date << std::endl;
    shownDate = date;
    std::cout << DevHost::LocalTime(event.at, "%H:%M:%S") << " " << event.source << ": " << Describe(event)
              << std::endl;
  });
}

// Starts the host on the server folder and loads the plugins found there.
void StartHost(const ServerOptions& options) {
  DevHost::Reset();
  DevHost::SetServerDir(options.serverDir);
  DevHost::SetDayLength(options.dayLength);
  std::cout << "[host] server folder: " << options.serverDir << std::endl;
  std::cout << "[host] clock: " << DevHost::LocalTime(WallClock::Now(), "%Y-%m-%d %H:%M:%S %Z")
            << (options.clock.empty() ? "" : " (set by --clock)") << std::endl;
  DevHost::LoadServerPlugins();
  if (DevHost::PluginNames().empty()) std::cout << "[host] no plugins found" << std::endl;
}

// Starts the RCON listener when asked for; returns null when it is off or not available.
std::unique_ptr<RconServer> StartRcon(ServerOptions& options, JobQueue& queue) {
  if (!options.rcon) return nullptr;
  if (!options.passwordGiven) options.rconOptions.password = RandomHex(20);
  auto rcon = std::make_unique<RconServer>(queue, options.rconOptions);
  std::string error;
  if (!rcon->Start(error)) {
    std::cout << "[host] RCON not available: port " << options.rconOptions.port << ": " << error << std::endl;
    return nullptr;
  }
  std::cout << "[host] RCON listening on " << options.rconOptions.address << ":" << rcon->Port() << std::endl;
  if (!options.passwordGiven)
    std::cout << "[host] RCON password: " << options.rconOptions.password << std::endl;
  else if (options.rconOptions.password.empty())
    std::cout << "[host] RCON password is empty: every login is refused" << std::endl;
  return rcon;
}

// Starts the input thread. It only reads and queues; end of input asks the game thread to quit.
void StartInput(JobQueue& queue) {
  auto toStdout = [](const std::string& text) {
    if (!text.empty()) std::cout << text << std::endl;
  };
  std::thread([&queue, toStdout] {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const bool quit = line.compare(0, 4, "quit") == 0 && (line.size() == 4 || line[4] == ' ');
      queue.Push(ConsoleJob(line, toStdout));
      if (quit) return;  // the game thread stops at it; reading on would only add to the queue
    }
    queue.Push(ConsoleJob("quit", toStdout));
  }).detach();
}

// After quit: stops RCON, says what it dropped, unloads the plugins and prints the last status.
void ShutDown(RconServer* rcon, JobQueue& queue) {
  if (rcon) rcon->Stop();
  if (const std::size_t dropped = queue.Size())
    std::cout << "[host] quit: " << dropped << " queued RCON commands dropped" << std::endl;
  DevHost::UnloadAllPlugins();
  std::cout << "[host] " << DevHost::StatusLine() << std::endl;
}

// Reads the command line into options; returns -1 to run, or the exit code (after --help,
// --version, or a refusal).
int ReadCommandLine(int argc, char** argv, ServerOptions& options) {
  std::string error;
  bool showUsage = false;
  switch (ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error, showUsage)) {
    case Parsed::Help:
      PrintUsage(std::cout);
      return 0;
    case Parsed::Version:
      std::cout << "morrowset-devserver " << MORROWSET_VERSION << "\n";
      return 0;
    case Parsed::Bad:
      std::cerr << "morrowset-devserver: " << error << "\n";
      if (showUsage) PrintUsage(std::cerr);
      return 2;
    case Parsed::Run:
      break;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  // 1. The options, the forecast's length and the clock.
  ServerOptions options;
  if (const int code = ReadCommandLine(argc, argv, options); code >= 0) return code;
  std::ios::sync_with_stdio(true);
  std::chrono::seconds forecast{};
  if (const int code = ReadForecast(options, forecast)) return code;

  // 2. The server folder, and the clock in the plugin's zone if it names one.
  bool freshFolder = false;
  if (const int code = PrepareServerFolder(options, freshFolder)) return code;
  const std::optional<cctz::time_zone> pluginZone = PluginZone(options.serverDir);
  if (const int code = SetUpClock(options, forecast, pluginZone)) {
    RemoveFreshFolder(options, freshFolder);
    return code;
  }
  if (pluginZone) ShowTimesIn(*pluginZone);

  // 3. A forecast runs on its own and ends the program.
  if (!options.forecast.empty()) {
    const int code = ForecastMain(options, forecast);
    RemoveFreshFolder(options, freshFolder);
    return code;
  }

  // 4. The host and its plugins, RCON and the input thread, all feeding one queue. A peer that
  //    goes away makes a write fail, never the process end.
#if defined(SIGPIPE)
  std::signal(SIGPIPE, SIG_IGN);
#endif
  PrintEvents(options.verbose);
  StartHost(options);
  static JobQueue& queue = *new JobQueue;  // outlives main: the input thread may still be reading
  const std::unique_ptr<RconServer> rcon = StartRcon(options, queue);
  std::cout << "[host] ready; type help, status, day.set N, advance DURATION or quit" << std::endl;
  StartInput(queue);

  // 5. The game thread until quit, then shut-down.
  LoopOptions loop;
  loop.timerInterval = TimerInterval(options);
  loop.report = [](const std::string& text) { std::cout << "[host] " << text << std::endl; };
  RunGameLoop(queue, loop);
  ShutDown(rcon.get(), queue);
  RemoveFreshFolder(options, freshFolder);
  std::cout << "[host] bye" << std::endl;
  return 0;
}
