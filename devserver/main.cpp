// morrowset-devserver: a stand-in game server that loads plugins and reads console commands.
#include <csignal>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "DevHost.h"
#include "ForecastMode.h"
#include "GameLoop.h"
#include "Options.h"
#include "Rcon.h"
#include "ServerClock.h"
#include "ServerFolder.h"
#include "Simulation.h"
#include "WallClock.h"

namespace {

// Returns a listener that prints each host event with the server's local time and its source;
// a new date gets a line first.
std::function<void(const DevHost::Event&)> PrintEvents(bool verbose) {
  return [verbose, shownDate = std::string()](const DevHost::Event& event) mutable {
    if (event.kind == DevHost::Event::Kind::Free && !verbose) return;
    const std::string date = DevHost::LocalTime(event.at, "%A %Y-%m-%d");
    if (date != shownDate) std::cout << "[host] date: " << date << std::endl;
    shownDate = date;
    std::cout << DevHost::LocalTime(event.at, "%H:%M:%S") << " " << event.source << ": " << event.Sentence()
              << std::endl;
  };
}

// Returns the live server's session: its clock runs on from start, every event is printed.
Simulation::Setup LiveSession(const ServerOptions& options, std::optional<WallClock::Time> start,
                              const LocalCalendar& calendar) {
  Simulation::Setup setup;
  setup.serverDir = options.serverDir;
  setup.start = start;
  setup.clockRuns = true;
  setup.dayLengthSeconds = options.dayLengthSeconds;
  setup.calendar = &calendar;
  setup.listener = PrintEvents(options.verbose);
  return setup;
}

// Loads the plugins found in the server folder, and says where it runs and when.
void StartHost(const ServerOptions& options, Simulation& session) {
  std::cout << "[host] server folder: " << options.serverDir << std::endl;
  std::cout << "[host] clock: " << DevHost::LocalTime(WallClock::Now(), "%Y-%m-%d %H:%M:%S %Z")
            << (options.clock.empty() ? "" : " (set by --clock)") << std::endl;
  session.LoadServerPlugins();
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
void ShutDown(RconServer* rcon, JobQueue& queue, Simulation& session) {
  if (rcon) rcon->Stop();
  if (const std::size_t dropped = queue.Size())
    std::cout << "[host] quit: " << dropped << " queued RCON commands dropped" << std::endl;
  session.UnloadPlugins();
  std::cout << "[host] " << DevHost::StatusLine() << std::endl;
}

// Reads the command line into options; returns -1 to run, or the exit code (after --help,
// --version, or a refusal).
int ReadCommandLine(int argc, char** argv, ServerOptions& options) {
  std::string why;
  const cli::Outcome outcome =
      kServerCommandLine.Read(std::vector<std::string>(argv + 1, argv + argc), options, why);
  return kServerCommandLine.Answer(outcome, why, MORROWSET_VERSION);
}

}  // namespace

int main(int argc, char** argv) {
  // 1. The options.
  ServerOptions options;
  if (const int code = ReadCommandLine(argc, argv, options); code >= 0) return code;
  std::ios::sync_with_stdio(true);

  // 2. The server folder, and the clock in the plugin's zone if it names one.
  bool freshFolder = false;
  if (const int code = PrepareServerFolder(options, freshFolder)) return code;
  const LocalCalendar calendar(PluginZone(options.serverDir));
  std::optional<WallClock::Time> start;
  if (const int code = ReadClock(options, calendar, start)) {
    RemoveFreshFolder(options, freshFolder);
    return code;
  }
  SayTimesIn(calendar);

  // 3. A forecast runs on its own and ends the program.
  if (!options.forecast.empty()) {
    const int code = ForecastMain(options, start, calendar);
    RemoveFreshFolder(options, freshFolder);
    return code;
  }

  // 4. The host and its plugins on a clock that runs on, RCON and the input thread, all feeding
  //    one queue. A peer that goes away makes a write fail, never the process end.
#if defined(SIGPIPE)
  std::signal(SIGPIPE, SIG_IGN);
#endif
  Simulation session(LiveSession(options, start, calendar));
  StartHost(options, session);
  static JobQueue& queue = *new JobQueue;  // outlives main: the input thread may still be reading
  const std::unique_ptr<RconServer> rcon = StartRcon(options, queue);
  std::cout << "[host] ready; type help, status, day.set N, advance DURATION or quit" << std::endl;
  StartInput(queue);

  // 5. The game thread until quit, then shut-down.
  LoopOptions loop;
  loop.timerInterval = options.TimerInterval();
  loop.report = [](const std::string& text) { std::cout << "[host] " << text << std::endl; };
  RunGameLoop(queue, loop);
  ShutDown(rcon.get(), queue, session);
  RemoveFreshFolder(options, freshFolder);
  std::cout << "[host] bye" << std::endl;
  return 0;
}
