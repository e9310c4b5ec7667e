// The game thread: runs queued commands, timer callbacks at the host cadence, and the day cycle.
#include "GameLoop.h"

#include <algorithm>
#include <sstream>
#include <thread>

#include "DevHost.h"
#include "WallClock.h"

namespace {
// How long the game thread looks for more work before it sleeps.
constexpr std::chrono::microseconds kSpin{200};
}  // namespace

void JobQueue::Push(Job job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    (job.origin == Origin::Console ? console_ : rcon_).push_back(std::move(job));
    ++count_;
  }
  ready_.notify_one();
}

bool JobQueue::PopUntil(std::chrono::steady_clock::time_point deadline, Job& job) {
  // Commands come in bursts: look again for a short while before going to sleep, which saves
  // the wake-up on every command of a burst.
  const auto spinUntil = std::min(deadline, std::chrono::steady_clock::now() + kSpin);
  while (count_.load(std::memory_order_acquire) == 0 && std::chrono::steady_clock::now() < spinUntil)
    std::this_thread::yield();
  std::unique_lock<std::mutex> lock(mutex_);
  if (!ready_.wait_until(lock, deadline, [this] { return !console_.empty() || !rcon_.empty(); }))
    return false;
  std::deque<Job>& from = console_.empty() ? rcon_ : console_;
  job = std::move(from.front());
  from.pop_front();
  --count_;
  return true;
}

namespace {

std::string FirstWord(const std::string& line) {
  std::istringstream words(line);
  std::string first;
  words >> first;
  return first;
}

const char* HelpText() {
  return "host commands: status, help, advance DURATION (90s, 5m, 2h, 3d: moves the clock on), "
         "quit; plugin commands: see console= and rcon= in status";
}

// "advance DURATION": moves the server's clock on, running every timer round due on the way.
std::string AdvanceCommand(const std::string& line, GameClock& clock) {
  std::istringstream words(line);
  std::string command, text, extra;
  words >> command >> text >> extra;
  std::chrono::seconds duration{};
  if (text.empty() || !extra.empty() || !WallClock::ParseDuration(text, duration))
    return "usage: advance DURATION, a number with s, m, h or d (90s, 5m, 2h, 3d, 1d12h)";
  if (!WallClock::Available()) return "advance: the clock cannot be moved on this platform";
  std::string tooLong;
  if (!GameClock::CanAdvance(duration, clock.Interval(), tooLong)) return "advance: " + tooLong;
  clock.Advance(duration);
  const auto now = WallClock::Now();
  return "advanced " + text + ": " + DevHost::LocalTime(now, "%Y-%m-%d %H:%M:%S %Z %a") +
         ", day=" + std::to_string(DevHost::ReplicatedDay());
}

}  // namespace

GameClock::GameClock(std::chrono::nanoseconds timerInterval)
    : interval_(timerInterval),
      next_(WallClock::Now() + std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_)) {}

bool GameClock::CanAdvance(std::chrono::nanoseconds d, std::chrono::nanoseconds interval, std::string& why) {
  const long long rounds = d / interval;
  if (rounds <= kMostRounds) return true;
  why = "that is " + std::to_string(rounds) + " timer rounds at this timer interval; at most " +
        std::to_string(kMostRounds) + " at a time";
  return false;
}

void GameClock::RunDue() {
  const auto now = WallClock::Now();
  DevHost::RunDayCycleUntil(now);
  if (now < next_) return;
  DevHost::RunTimers();
  // No backlog: after a stall the next round comes one interval from now.
  const auto step = std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_);
  next_ += step;
  if (next_ <= now) next_ = now + step;
}

std::chrono::nanoseconds GameClock::UntilNextRound() const {
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(next_ - WallClock::Now());
  return std::clamp(left, std::chrono::nanoseconds(0), interval_);
}

void GameClock::Advance(std::chrono::nanoseconds d) {
  RunDue();  // a round already due runs at the present, before the clock moves
  const bool running = WallClock::Running();
  const auto step = std::chrono::duration_cast<std::chrono::system_clock::duration>(interval_);
  const auto target = WallClock::Now() + std::chrono::duration_cast<std::chrono::system_clock::duration>(d);
  for (; next_ <= target; next_ += step) {
    WallClock::Set(next_, false);
    DevHost::RunDayCycleUntil(next_);
    DevHost::RunTimers();
  }
  WallClock::Set(target, running);
  DevHost::RunDayCycleUntil(target);
}

bool Dispatch(const Job& job, GameClock& clock) {
  const std::string word = FirstWord(job.line);
  auto answer = [&](const std::string& text) {
    if (job.reply) job.reply(text);
  };
  if (word.empty()) {
    answer("");
    return true;
  }
  if (word == "status") {
    answer(DevHost::StatusLine());
    return true;
  }
  if (word == "help") {
    answer(HelpText());
    return true;
  }
  if (word == "advance") {
    answer(AdvanceCommand(job.line, clock));
    return true;
  }
  if (word == "quit" && job.origin == Origin::Console) return false;
  const bool ran =
      job.origin == Origin::Console ? DevHost::RunConsole(job.line) : DevHost::RunRcon(job.line, job.id);
  answer(ran ? "" : "unknown command: " + word);
  return true;
}

void RunGameLoop(JobQueue& queue, const LoopOptions& options) {
  GameClock clock(options.timerInterval);
  for (;;) {
    Job job;
    const auto wakeUp =
        std::chrono::steady_clock::now() +
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(clock.UntilNextRound());
    if (queue.PopUntil(wakeUp, job)) {
      if (!Dispatch(job, clock)) return;
    }
    clock.RunDue();
  }
}
