// The development server's game thread: timer callbacks at the host cadence, commands between.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "GameLoop.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

using namespace std::chrono_literals;

class GameLoop : public PluginTest {
 protected:
  void Start(std::chrono::milliseconds timerInterval) {
    LoopOptions options;
    options.timerInterval = timerInterval;
    game_ = std::thread([this, options] { RunGameLoop(queue_, options); });
  }
  void TearDown() override {
    if (game_.joinable()) {
      queue_.Push({Source::Console, "quit", 0, nullptr});
      game_.join();
    }
    PluginTest::TearDown();
  }
  // Runs a console line on the game thread and returns its answer.
  std::string Run(const std::string& line) {
    struct Answer {
      std::mutex lock;
      std::condition_variable given;
      std::optional<std::string> text;
    };
    auto answer = std::make_shared<Answer>();
    queue_.Push({Source::Console, line, 0, [answer](const std::string& text) {
                   const std::lock_guard<std::mutex> hold(answer->lock);
                   answer->text = text;
                   answer->given.notify_one();
                 }});
    std::unique_lock<std::mutex> hold(answer->lock);
    answer->given.wait(hold, [&] { return answer->text.has_value(); });
    return *answer->text;
  }

  JobQueue queue_;
  std::thread game_;
};

TEST_F(GameLoop, PoliciesRunOnTheHostTimerBetweenCommands) {
  LoadWith(ConfigJson(true, false, false, "", 5));
  Start(10ms);
  std::string status = Run("status");
  EXPECT_NE(status.find("timers=forceday "), std::string::npos) << status;
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (status.rfind("day=5 replicated=5 ", 0) != 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
    status = Run("status");
  }
  EXPECT_EQ(status.rfind("day=5 replicated=5 ", 0), 0u) << status;
  // Within the policy's five minutes, a manual day holds.
  EXPECT_EQ(Run("day.set 9"), "");
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(Run("status").rfind("day=9 replicated=9 ", 0), 0u);
}

}  // namespace
}  // namespace morrowset::test
