// The simulated game's time: timer rounds at the host's cadence and the day cycle, on the wall clock.
#include "GameClock.h"

#include <algorithm>

#include "DevHost.h"
#include "WallClock.h"

GameClock::GameClock(std::chrono::nanoseconds timerInterval)
    : interval_(timerInterval),
      next_(WallClock::Now() + std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_)) {
  Seen();
}

void GameClock::Seen() {
  seenWall_ = WallClock::Now();
  seenReal_ = std::chrono::steady_clock::now();
}

void GameClock::FollowSteps() {
  const auto wall = WallClock::Now();
  const auto real = std::chrono::steady_clock::now();
  // A clock that stands still (a forecast) moves only when the game thread moves it. The two
  // clocks are read one after the other, so a thread preempted between the reads sees a small
  // difference that is no step: only one beyond half an interval (at most half a second) counts.
  const auto step =
      (wall - seenWall_) - std::chrono::duration_cast<std::chrono::system_clock::duration>(real - seenReal_);
  const auto tolerance = std::chrono::duration_cast<std::chrono::system_clock::duration>(
      std::min<std::chrono::nanoseconds>(interval_, std::chrono::seconds(1)) / 2);
  if (WallClock::Running() && (step > tolerance || step < -tolerance)) next_ += step;
  seenWall_ = wall;
  seenReal_ = real;
}

GameClock::Reach GameClock::CanRun(std::chrono::system_clock::time_point start, std::chrono::nanoseconds d,
                                   std::chrono::nanoseconds interval, std::string& why) {
  const long long rounds = d / interval;
  if (rounds > kMostRounds) {
    why = "that is " + std::to_string(rounds) + " timer rounds at this timer interval; at most " +
          std::to_string(kMostRounds) + " at a time";
    return Reach::TooManyRounds;
  }
  // Compared so, as the sum could overflow.
  if (start > WallClock::Last() || d > WallClock::Last() - start) {
    why = "it would run past the end of " + std::to_string(WallClock::kLastYear) +
          ", the last year the server's clock shows";
    return Reach::PastLastYear;
  }
  return Reach::Within;
}

void GameClock::RunDue() {
  FollowSteps();
  const auto now = seenWall_;
  DevHost::RunDayCycleUntil(now);
  if (now < next_) return;
  DevHost::RunTimers();
  // No backlog: after a stall the next round comes one interval from now.
  const auto step = std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_);
  next_ += step;
  if (next_ <= now) next_ = now + step;
}

std::chrono::nanoseconds GameClock::UntilNextRound() {
  FollowSteps();
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(next_ - seenWall_);
  return std::clamp(left, std::chrono::nanoseconds(0), interval_);
}

void GameClock::Advance(std::chrono::nanoseconds d) {
  Advance(d, std::chrono::steady_clock::duration::max());
}

std::chrono::nanoseconds GameClock::Advance(std::chrono::nanoseconds d,
                                            std::chrono::steady_clock::duration budget) {
  using Steady = std::chrono::steady_clock;
  RunDue();  // a round already due runs at the present, before the clock moves
  const bool bounded = budget != Steady::duration::max();
  const auto until = bounded ? Steady::now() + budget : Steady::time_point::max();
  const bool running = WallClock::Running();
  const auto step = std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_);
  const auto target = WallClock::Now() + std::chrono::duration_cast<std::chrono::system_clock::duration>(d);
  // The steady clock is read every so many rounds: a round costs well under a microsecond.
  constexpr int kRoundsPerLook = 256;
  for (int rounds = 1; next_ <= target; ++rounds) {
    const auto at = next_;
    WallClock::Set(at, false);
    DevHost::RunDayCycleUntil(at);
    DevHost::RunTimers();
    next_ += step;
    if (bounded && rounds % kRoundsPerLook == 0 && at < target && Steady::now() >= until) {
      WallClock::Set(at, running);
      Seen();
      return std::chrono::duration_cast<std::chrono::nanoseconds>(target - at);
    }
  }
  WallClock::Set(target, running);
  Seen();
  DevHost::RunDayCycleUntil(target);
  return std::chrono::nanoseconds(0);
}
