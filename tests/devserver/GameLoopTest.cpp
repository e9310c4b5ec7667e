// The development server's game thread: timer callbacks at the host cadence, commands between.
#include <thread>

#include "GameThread.h"
#include "WallClock.h"

namespace morrowset::test {
namespace {

using namespace std::chrono_literals;

class GameLoop : public GameThreadTest {
 protected:
  void Start(std::chrono::milliseconds timerInterval) {
    LoopOptions options;
    options.timerInterval = timerInterval;
    StartGame(options);
  }
};

// The test moves the server's clock on with advance: no round comes by waiting.
TEST_F(GameLoop, PoliciesRunOnTheHostTimerBetweenCommands) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  Start(1min);
  const auto day = [&] {
    const std::string status = Run("status");
    return status.substr(0, status.find(" plugin="));
  };
  EXPECT_EQ(day(), "day=1 replicated=1");  // the game's own first day
  Run("advance 1m");                       // the first round: forceday is due at once
  EXPECT_EQ(day(), "day=5 replicated=5");
  // A manual day holds within the policy's five minutes, and is overwritten when they are up.
  EXPECT_EQ(Run("day.set 9"), "");
  Run("advance 4m");
  EXPECT_EQ(day(), "day=9 replicated=9");
  Run("advance 1m");
  EXPECT_EQ(day(), "day=5 replicated=5");
}

// A console advance long enough for many slices, with status queued right behind it: the
// status waits for the whole advance.
TEST_F(GameLoop, ConsoleLinesRunInOrderAcrossTheSlicesOfALongCommand) {
  LoadWith(ConfigJson(true, true, true, "true"));
  Start(1ms);
  std::mutex lock;
  std::condition_variable given;
  std::vector<std::string> answers;
  for (const char* line : {"advance 10m", "status"}) {
    queue_.Push(ConsoleJob(line, [&](const std::string& text) {
      const std::lock_guard<std::mutex> hold(lock);
      answers.push_back(text);
      given.notify_one();
    }));
  }
  std::unique_lock<std::mutex> hold(lock);
  given.wait(hold, [&] { return answers.size() == 2; });
  EXPECT_EQ(answers[0].rfind("advanced 10m: ", 0), 0u) << answers[0];
  EXPECT_EQ(answers[1].rfind("day=", 0), 0u) << answers[1];
}

// The server's clock running with the machine's, set back a day, as an admin might set the
// machine's: advance still runs its rounds on the way, and the plugin's forceday, which acts at
// once when the clock goes back, takes back a manual day in the first round.
TEST_F(GameLoop, RoundsKeepTheirCadenceWhenTheClockIsSetBack) {
  if (!WallClock::Available()) GTEST_SKIP() << "the wall clock cannot be set here";
  LoadWith(ConfigJson(true, false, false, "", 5));
  WallClock::Set(WallClock::Utc(2027, 3, 10, 12), true);
  GameClock clock(1s);
  clock.Advance(1s);  // the first round: forceday writes, and is next due in five minutes
  EXPECT_DAY(5, 5);
  for (const auto back : {1min, std::chrono::minutes(24h)}) {
    SCOPED_TRACE(back.count());
    DevHost::SetGameDay(9);
    WallClock::Set(WallClock::Now() - back, true);
    clock.Advance(1s);
    EXPECT_DAY(5, 5);
  }
  WallClock::UseRealTime();
}

// Returns the job of an RCON connection's command line.
Job RconJob(uint64_t source, const char* line) {
  Job job;
  job.origin = Origin::Rcon;
  job.source = source;
  job.line = line;
  return job;
}

TEST(JobQueueTurns, AnotherConnectionGoesBeforeTheNextSliceOfABusyOne) {
  JobQueue queue;
  const auto now = std::chrono::steady_clock::now();
  queue.Push(RconJob(1, "advance 9d"));
  queue.Push(RconJob(1, "status"));
  Job job;
  ASSERT_TRUE(queue.PopUntil(now, job));
  queue.Push(RconJob(2, "day.set 3"));  // arrives while the first slice runs
  queue.Resume(std::move(job));
  std::vector<std::string> order;
  while (queue.PopUntil(now, job)) order.push_back(job.line);
  EXPECT_EQ(order, (std::vector<std::string>{"day.set 3", "advance 9d", "status"}));
}

TEST(JobQueueTurns, AClosedConnectionsJobsAreDroppedTheRunningOneWhenItComesBack) {
  JobQueue queue;
  Job job;
  job.origin = Origin::Rcon;
  job.source = 7;
  for (const char* line : {"advance 9d", "status", "day.set 2"}) {
    job.line = line;
    queue.Push(job);
  }
  const auto now = std::chrono::steady_clock::now();
  ASSERT_TRUE(queue.PopUntil(now, job));
  EXPECT_EQ(queue.Drop(7), 2u);
  queue.Resume(std::move(job));  // the connection is gone: its advance goes no further
  EXPECT_EQ(queue.Size(), 0u);
  EXPECT_EQ(queue.TakeDropped(), 3u);
  EXPECT_FALSE(queue.PopUntil(now, job));
}

// A connection whose peer closed keeps its first job, the running one if any, which then runs
// only in turns no open connection wants.
TEST(JobQueueTurns, AClosedConnectionKeepsItsFirstJobForIdleTurns) {
  JobQueue queue;
  const auto now = std::chrono::steady_clock::now();
  for (const char* line : {"advance 9d", "status", "day.set 2"}) queue.Push(RconJob(7, line));
  for (const char* line : {"advance 1d", "status"}) queue.Push(RconJob(8, line));
  Job job;
  ASSERT_TRUE(queue.PopUntil(now, job));  // 7's advance runs
  EXPECT_EQ(queue.KeepFirstOnly(7), 2u);  // the running one is its first
  EXPECT_EQ(queue.KeepFirstOnly(8), 1u);  // the next one is its first
  queue.Push(RconJob(9, "day.set 4"));
  queue.Resume(std::move(job));
  std::vector<std::string> order;
  while (queue.PopUntil(now, job)) {
    order.push_back(std::to_string(job.source) + " " + job.line);
    if (job.line == "day.set 4") queue.Push(RconJob(9, "status"));  // an open one's next comes first
  }
  EXPECT_EQ(order, (std::vector<std::string>{"9 day.set 4", "9 status", "8 advance 1d", "7 advance 9d"}));
  EXPECT_EQ(queue.TakeDropped(), 3u);
}

}  // namespace
}  // namespace morrowset::test
