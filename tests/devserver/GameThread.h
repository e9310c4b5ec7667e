// Test fixture: the plugin loaded, and the development server's game thread running its queue.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "GameLoop.h"
#include "support/PluginHost.h"

namespace morrowset::test {

// The plugin as each test loads it, a job queue, and the game thread once a test starts it;
// the thread is asked to quit and joined before the plugin is unloaded.
class GameThreadTest : public PluginTest {
 protected:
  // Starts the game thread on the queue.
  void StartGame(LoopOptions options) {
    game_ = std::thread([this, options] { RunGameLoop(queue_, options); });
  }
  // Quits the game thread, if it runs, and waits for it.
  void StopGame() {
    if (!game_.joinable()) return;
    queue_.Push(ConsoleJob("quit"));
    game_.join();
  }
  void TearDown() override {
    StopGame();
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
    queue_.Push(ConsoleJob(line, [answer](const std::string& text) {
      const std::lock_guard<std::mutex> hold(answer->lock);
      answer->text = text;
      answer->given.notify_one();
    }));
    std::unique_lock<std::mutex> hold(answer->lock);
    answer->given.wait(hold, [&] { return answer->text.has_value(); });
    return *answer->text;
  }

  JobQueue queue_;
  std::thread game_;
};

}  // namespace morrowset::test
