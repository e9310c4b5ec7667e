// The game thread: runs queued commands, timer callbacks at the host cadence, and the day cycle.
#include "GameLoop.h"

#include <algorithm>
#include <sstream>
#include <thread>

#include "DevHost.h"
#include "Duration.h"
#include "WallClock.h"

namespace {
// How long the game thread looks for more work before it sleeps.
constexpr std::chrono::microseconds kSpin{200};
}  // namespace

void JobQueue::Push(Job job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (job.origin == Origin::Console) {
      console_.push_back(std::move(job));
    } else {
      std::deque<Job>& line = rcon_[job.source];
      // A connection whose job is running gets its turn back when that job is done.
      if (line.empty() && job.source != running_) turns_.push_back(job.source);
      line.push_back(std::move(job));
    }
    ++count_;
  }
  ready_.notify_one();
}

void JobQueue::Resume(Job job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (job.origin == Origin::Console) {
      console_.push_front(std::move(job));
      consoleResumed_ = true;
    } else {
      running_ = 0;
      if (runningDropped_) {  // its connection closed during the slice: the rest is dropped
        runningDropped_ = false;
        ++dropped_;
        return;
      }
      const uint64_t source = job.source;
      rcon_[source].push_front(std::move(job));
      turns_.push_back(source);
    }
    ++count_;
  }
  ready_.notify_one();
}

std::size_t JobQueue::Drop(uint64_t source) {
  std::size_t dropped = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto line = rcon_.find(source);
    if (line != rcon_.end()) {
      dropped = line->second.size();
      rcon_.erase(line);
      turns_.erase(std::remove(turns_.begin(), turns_.end(), source), turns_.end());
      count_ -= dropped;
    }
    if (source != 0 && source == running_) runningDropped_ = true;  // counted when it comes back
    closed_.erase(source);
  }
  dropped_ += dropped;
  return dropped;
}

std::size_t JobQueue::KeepFirstOnly(uint64_t source) {
  std::size_t dropped = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_.insert(source);
    const auto line = rcon_.find(source);
    if (line != rcon_.end()) {
      const std::size_t keep = source == running_ ? 0 : 1;  // the running one is the first
      dropped = line->second.size() - keep;
      line->second.erase(line->second.begin() + static_cast<std::ptrdiff_t>(keep), line->second.end());
      if (line->second.empty()) {
        rcon_.erase(line);
        turns_.erase(std::remove(turns_.begin(), turns_.end(), source), turns_.end());
      }
      count_ -= dropped;
    }
  }
  dropped_ += dropped;
  return dropped;
}

bool JobQueue::PopUntil(std::chrono::steady_clock::time_point deadline, Job& job) {
  // Commands come in bursts: look again for a short while before going to sleep, which saves
  // the wake-up on every command of a burst.
  const auto spinUntil = std::min(deadline, std::chrono::steady_clock::now() + kSpin);
  while (count_.load(std::memory_order_acquire) == 0 && std::chrono::steady_clock::now() < spinUntil)
    std::this_thread::yield();
  std::unique_lock<std::mutex> lock(mutex_);
  // The job taken last is done: its connection's next one waits behind those who came meanwhile.
  if (running_ != 0 && rcon_.count(running_)) turns_.push_back(running_);
  running_ = 0;
  runningDropped_ = false;
  if (!ready_.wait_until(lock, deadline, [this] { return HasWork(); })) return false;
  if (!console_.empty() && !(consoleResumed_ && !turns_.empty())) {
    job = std::move(console_.front());
    console_.pop_front();
  } else {
    // The first connection in turn whose peer is still there; a closed one only when none is.
    const auto turn =
        std::find_if(turns_.begin(), turns_.end(), [this](uint64_t id) { return !closed_.count(id); });
    const uint64_t source = turn == turns_.end() ? turns_.front() : *turn;
    turns_.erase(turn == turns_.end() ? turns_.begin() : turn);
    const auto line = rcon_.find(source);
    job = std::move(line->second.front());
    line->second.pop_front();
    if (line->second.empty()) rcon_.erase(line);
    running_ = source;
  }
  consoleResumed_ = false;
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
  static const std::string text =
      std::string("host commands: status, help, advance DURATION (") + cli::kDurationExamples +
      ": moves the clock on), quit; plugin commands: see console= and rcon= in status";
  return text.c_str();
}

// "advance DURATION": moves the server's clock on, running every timer round due on the way, a
// slice at a time. Returns the answer, or sets job.resume to the slices to come.
std::optional<std::string> AdvanceCommand(Job& job, GameClock& clock) {
  std::istringstream words(job.line);
  std::string command, text, extra;
  words >> command >> text >> extra;
  std::chrono::seconds duration{};
  if (text.empty() || !extra.empty() || !cli::ParseDuration(text, duration))
    return std::string("usage: advance DURATION, a number with s, m, h or d (") + cli::kDurationExamples +
           ")";
  if (!WallClock::Available()) return "advance: the clock cannot be moved on this platform";
  std::string tooFar;
  if (GameClock::CanRun(WallClock::Now(), duration, clock.Interval(), tooFar) != GameClock::Reach::Within)
    return "advance: " + tooFar;
  job.resume = [left = std::chrono::nanoseconds(duration),
                text](GameClock& clock) mutable -> std::optional<std::string> {
    left = clock.Advance(left, kSlice);
    if (left.count() > 0) return std::nullopt;
    return "advanced " + text + ": " + DevHost::LocalTime(WallClock::Now(), "%Y-%m-%d %H:%M:%S %Z %a") +
           ", day=" + std::to_string(DevHost::ReplicatedDay());
  };
  return job.resume(clock);
}

}  // namespace

Ran Dispatch(Job& job, GameClock& clock) {
  auto answer = [&](const std::string& text) {
    if (job.reply) job.reply(text);
    return Ran::Done;
  };
  auto answerWhenDone = [&](const std::optional<std::string>& text) {
    return text ? answer(*text) : Ran::Unfinished;
  };
  if (job.resume) return answerWhenDone(job.resume(clock));
  const std::string word = FirstWord(job.line);
  if (word.empty()) return answer("");
  if (word == "status") return answer(DevHost::StatusLine());
  if (word == "help") return answer(HelpText());
  if (word == "advance") return answerWhenDone(AdvanceCommand(job, clock));
  if (word == "quit" && job.origin == Origin::Console) return Ran::Quit;
  const bool ran =
      job.origin == Origin::Console ? DevHost::RunConsole(job.line) : DevHost::RunRcon(job.line, job.id);
  return answer(ran ? "" : "unknown command: " + word);
}

void RunGameLoop(JobQueue& queue, const LoopOptions& options) {
  GameClock clock(options.timerInterval);
  for (;;) {
    Job job;
    const auto wakeUp =
        std::chrono::steady_clock::now() +
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(clock.UntilNextRound());
    if (queue.PopUntil(wakeUp, job)) {
      const Ran ran = Dispatch(job, clock);
      if (ran == Ran::Quit) return;
      if (ran == Ran::Unfinished) queue.Resume(std::move(job));
    }
    if (const std::size_t dropped = queue.TakeDropped(); dropped > 0 && options.report)
      options.report("rcon: " + std::to_string(dropped) + " commands of closed connections dropped");
    clock.RunDue();
  }
}
