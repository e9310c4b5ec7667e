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
#include <set>
#include <string>

#include "GameClock.h"

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
// The jobs of one source run in the order they came. A connection whose peer has closed its
// side keeps its first job only, and that job runs only when no other connection has work.
class JobQueue {
 public:
  // Queues a job; callable from any thread.
  void Push(Job job);
  // Puts back the job last taken, which ran a slice and has more to do: it stays first in its
  // source's line, and every other source with work has its turn before it runs again.
  void Resume(Job job);
  // Waits until a job arrives or the deadline passes; returns whether one was taken. The job
  // taken before it is done unless it was put back.
  bool PopUntil(std::chrono::steady_clock::time_point deadline, Job& job);
  // Drops every job of an RCON connection that has closed, the one running included (it is not
  // put back); returns how many. Callable from any thread.
  std::size_t Drop(uint64_t source);
  // Drops every job of an RCON connection whose peer has closed, but the first (the running
  // one, or else the next), and lets it run only in turns nobody else wants; returns how many
  // were dropped. Callable from any thread.
  std::size_t KeepFirstOnly(uint64_t source);
  // Counts requests of a closed connection that it dropped before they became jobs.
  void CountDropped(std::size_t requests) { dropped_ += requests; }
  // Returns the number of jobs dropped by Drop and KeepFirstOnly, and counted, since the last call.
  std::size_t TakeDropped() { return dropped_.exchange(0); }
  // Returns the number of jobs waiting, those begun and put back included.
  std::size_t Size() const { return count_.load(); }

 private:
  bool HasWork() const { return !console_.empty() || !turns_.empty(); }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Job> console_;
  bool consoleResumed_ = false;               // the console's first job ran a slice: RCON has the next turn
  std::map<uint64_t, std::deque<Job>> rcon_;  // by connection, each in arrival order
  // The connections with work, in turn order; the one whose job is running is not among them
  // until that job is done or put back, so whoever came meanwhile goes first.
  std::deque<uint64_t> turns_;
  std::set<uint64_t> closed_;    // connections whose peer has closed: they run only in idle turns
  uint64_t running_ = 0;         // the connection whose job the game thread holds, or 0
  bool runningDropped_ = false;  // that connection closed while its job ran
  std::atomic<std::size_t> count_{0};
  std::atomic<std::size_t> dropped_{0};
};

struct LoopOptions {
  std::chrono::nanoseconds timerInterval{std::chrono::seconds(1)};
  // Hears what the game thread has to say of itself, such as commands dropped; may be empty.
  std::function<void(const std::string&)> report;
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
