// The simulated game's time: timer rounds and the day cycle on the server's wall clock.
#pragma once

#include <chrono>
#include <string>

// The simulated game's own pace, for every program on it unless told otherwise: an in-game day of
// 30 minutes, a timer round every second.
constexpr double kDefaultDayLengthSeconds = 1800;
constexpr std::chrono::seconds kDefaultTimerRound{1};

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

  // What stops the clock from running a span: nothing, more than kMostRounds timer rounds (a few
  // seconds of work), or the end of the last year the wall clock shows.
  enum class Reach { Within, TooManyRounds, PastLastYear };
  // Returns whether the clock may run d from start at this interval; otherwise says why not, in
  // words that follow "advance: " or "--forecast: ". The one place each limit is checked.
  static Reach CanRun(std::chrono::system_clock::time_point start, std::chrono::nanoseconds d,
                      std::chrono::nanoseconds interval, std::string& why);
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
