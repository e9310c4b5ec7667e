// The development server's game thread: one queue of command lines, timers, and the day cycle.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

class GameClock;

// Where a command line came from, which decides the registry it is looked up in.
enum class Origin { Console, Rcon };

// A command line waiting for the game thread, and where its answer goes.
struct Job {
  Origin origin = Origin::Console;
  std::string line;
  int32_t id = 0;
  std::function<void(const std::string&)> reply;
  uint64_t source = 0;  // the RCON connection it came from; 0 for the console
  // Set once a long command has run its first slice: runs the next one, and returns the answer
  // when the command is done, nothing while it has more to do.
  std::function<std::optional<std::string>(GameClock&)> resume;
};

// Returns the job of a console line, answered through reply.
inline Job ConsoleJob(std::string line, std::function<void(const std::string&)> reply = nullptr) {
  Job job;
  job.line = std::move(line);
  job.reply = std::move(reply);
  return job;
}

// Lines from input and network threads, handed to the game thread. A new console line goes
// first, so that the operator's "quit" is never stuck behind a flood; RCON connections take
// turns, one job or one slice of a long job each, so that no admin waits for another's work.
// The jobs of one source run in the order they came.
class JobQueue {
 public:
  // Queues a job; callable from any thread.
  void Push(Job job);
  // Puts back a job that ran a slice and has more to do: it stays first in its source's line,
  // and every other source with work has its turn before it runs again.
  void Resume(Job job);
  // Waits until a job arrives or the deadline passes; returns whether one was taken.
  bool PopUntil(std::chrono::steady_clock::time_point deadline, Job& job);
  // Returns the number of jobs waiting, those begun and put back included.
  std::size_t Size() const { return count_.load(); }

 private:
  bool HasWork() const { return !console_.empty() || !turns_.empty(); }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Job> console_;
  bool consoleResumed_ = false;               // the console's first job ran a slice: RCON has the next turn
  std::map<uint64_t, std::deque<Job>> rcon_;  // by connection, each in arrival order
  std::deque<uint64_t> turns_;                // the connections with work, in turn order
  std::atomic<std::size_t> count_{0};
};

struct LoopOptions {
  std::chrono::nanoseconds timerInterval{std::chrono::seconds(1)};
};

// The game thread's time: timer rounds at the host's cadence and the game's day cycle, both on
// the server's wall clock (WallClock).
class GameClock {
 public:
  // Schedules the first timer round one interval from the wall clock's present time.
  explicit GameClock(std::chrono::nanoseconds timerInterval);
  // Runs the day cycle up to the present, and a timer round when one is due.
  void RunDue();
  // Returns the real time to wait before the next timer round (at most one interval).
  std::chrono::nanoseconds UntilNextRound() const;
  // Moves the wall clock forward by d. Every timer round due on the way runs at its own time,
  // with the day cycle brought up to it first, as if that time had passed.
  void Advance(std::chrono::nanoseconds d);
  // Moves the wall clock forward by d as far as it gets within budget (real time), stopping
  // after a round; returns what is left of d, zero when done.
  std::chrono::nanoseconds Advance(std::chrono::nanoseconds d, std::chrono::steady_clock::duration budget);
  std::chrono::nanoseconds Interval() const { return interval_; }

  // Returns whether moving the clock by d at this interval stays within kMostRounds timer
  // rounds (a few seconds of work); otherwise says why not.
  static bool CanAdvance(std::chrono::nanoseconds d, std::chrono::nanoseconds interval, std::string& why);
  static constexpr long long kMostRounds = 100'000'000;

 private:
  std::chrono::nanoseconds interval_;
  std::chrono::system_clock::time_point next_;
};

// How long one slice of a long command holds the game thread.
constexpr std::chrono::milliseconds kSlice{5};

// What running a job came to.
enum class Ran { Done, Unfinished, Quit };

// Runs a job on the game thread: a command line, or the next slice of a long one (Unfinished
// leaves the rest in job.resume). Quit when the line asks the server to quit.
Ran Dispatch(Job& job, GameClock& clock);

// Runs the game thread until a job asks to quit: jobs, timer calls at the cadence, day cycle.
void RunGameLoop(JobQueue& queue, const LoopOptions& options);
