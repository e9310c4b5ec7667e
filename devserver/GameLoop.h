// The development server's game thread: one queue of command lines, timers, and the day cycle.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

// Where a command line came from, which decides the registry it is looked up in.
enum class Origin { Console, Rcon };

// A command line waiting for the game thread, and where its answer goes.
struct Job {
  Origin origin = Origin::Console;
  std::string line;
  int32_t id = 0;
  std::function<void(const std::string&)> reply;
};

// Lines from input and network threads, handed to the game thread. Console lines go before
// queued RCON lines, so that the operator's "quit" is never stuck behind a flood.
class JobQueue {
 public:
  // Queues a job; callable from any thread.
  void Push(Job job);
  // Waits until a job arrives or the deadline passes; returns whether one was taken.
  bool PopUntil(std::chrono::steady_clock::time_point deadline, Job& job);
  // Returns the number of jobs waiting.
  std::size_t Size() const { return count_.load(); }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Job> console_;
  std::deque<Job> rcon_;
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
  std::chrono::nanoseconds Interval() const { return interval_; }

  // Returns whether moving the clock by d at this interval stays within kMostRounds timer
  // rounds (a few seconds of work); otherwise says why not.
  static bool CanAdvance(std::chrono::nanoseconds d, std::chrono::nanoseconds interval, std::string& why);
  static constexpr long long kMostRounds = 100'000'000;

 private:
  std::chrono::nanoseconds interval_;
  std::chrono::system_clock::time_point next_;
};

// Runs one command line on the game thread. Returns false when the line asks the server to quit.
bool Dispatch(const Job& job, GameClock& clock);

// Runs the game thread until a job asks to quit: jobs, timer calls at the cadence, day cycle.
void RunGameLoop(JobQueue& queue, const LoopOptions& options);
