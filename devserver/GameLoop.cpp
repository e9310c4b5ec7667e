// The game thread: runs queued commands, timer callbacks at the host cadence, and the day cycle.
#include "GameLoop.h"

#include <sstream>
#include <thread>

#include "DevHost.h"

namespace {
// How long the game thread looks for more work before it sleeps.
constexpr std::chrono::microseconds kSpin{200};
}  // namespace

void JobQueue::Push(Job job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    (job.source == Source::Console ? console_ : rcon_).push_back(std::move(job));
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
  return "host commands: status, help, quit; plugin commands: see console= and rcon= in status";
}

}  // namespace

bool Dispatch(const Job& job) {
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
  if (word == "quit" && job.source == Source::Console) return false;
  const bool ran = job.source == Source::Console ? DevHost::RunConsole(job.line)
                                                 : DevHost::RunRcon(job.line, job.id);
  answer(ran ? "" : "unknown command: " + word);
  return true;
}

void RunGameLoop(JobQueue& queue, const LoopOptions& options) {
  auto nextTimers = std::chrono::steady_clock::now() + options.timerInterval;
  for (;;) {
    Job job;
    if (queue.PopUntil(nextTimers, job)) {
      if (!Dispatch(job)) return;
    }
    const auto now = std::chrono::steady_clock::now();
    DevHost::AdvanceGame(now);
    if (now >= nextTimers) {
      DevHost::RunTimers();
      // No backlog: after a stall the next call comes one interval from now.
      nextTimers += options.timerInterval;
      if (nextTimers <= now) nextTimers = now + options.timerInterval;
    }
  }
}
