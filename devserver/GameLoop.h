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

// The game thread's time: timer rounds at the host's cadence and the game's day cycle, both on
// the server's wall clock (WallClock).
class GameClock {
 public:
  // Schedules the first timer round one interval from the wall clock's present time.
  explicit GameClock(std::chrono::nanoseconds timerInterval);
  // Runs the day cycle up to the present, and a timer round when one is due.
  void RunDue();
  // Returns the real time to wait before the next timer round (at most one interval).
  std::chrono::nanoseconds UntilNextRound();
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
  // Moves the next round by any step of the running wall clock since the last look (the wall
  // clock's time passed less the real time passed), so that rounds keep their real-time cadence
  // when the machine's clock is set back or forward.
  void FollowSteps();
  // Takes the wall clock where it stands now as seen, after the game thread moved it itself.
  void Seen();

  std::chrono::nanoseconds interval_;
  std::chrono::system_clock::time_point next_;      // the next round, on the wall clock
  std::chrono::system_clock::time_point seenWall_;  // the wall clock at the last look
  std::chrono::steady_clock::time_point seenReal_;  // the real time at the last look
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
