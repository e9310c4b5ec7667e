// The morrowset-devserver program end to end, driven through its standard input.
#include <filesystem>
#include <fstream>

#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

// Runs the dev server with the given standard input; returns everything it printed.
std::string RunServer(const std::string& args, const std::string& input, int& status) {
  const std::string inputFile = testing::TempDir() + "devserver-input-" +
                                testing::UnitTest::GetInstance()->current_test_info()->name();
  std::ofstream(inputFile) << input;
  std::string output;
  status = RunCommand(Quote(ProgramPath("morrowset-devserver")) + " " + args + " < " + Quote(inputFile),
                      output);
  return output;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(DevServer, DaySetFromStandardInputIsWrittenReplicatedAndShownByStatus) {
  int status = 0;
  const std::string out = RunServer("--no-rcon --day-length 0", "status\nday.set 12\nstatus\nquit\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde loaded")) << out;
  EXPECT_TRUE(Contains(out, "day=1 replicated=1 plugin=loaded console=day.set rcon=day.set timers=- "
                            "buffers=0")) << out;
  EXPECT_TRUE(Contains(out, "day written: 12\n[host] replicated to clients: day 12\n")) << out;
  EXPECT_TRUE(Contains(out, "day=12 replicated=12 plugin=loaded")) << out;
  EXPECT_TRUE(Contains(out, "unregister timer forcemonthday")) << out;
  EXPECT_TRUE(Contains(out, "plugin=unloaded console=- rcon=- timers=- buffers=0 log_lines=0 faults=0"))
      << out;
}

TEST(DevServer, EndOfInputUnloadsAndExitsCleanly) {
  int status = 0;
  const std::string out = RunServer("--no-rcon --day-length 0", "day.set 3\nnonsense here\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "unknown command: nonsense")) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde unloaded")) << out;
}

// A server folder with the built plugin installed and the given config.json (none if empty).
std::string ServerFolder(const std::string& name, const std::string& config) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / name;
  const fs::path plugin = dir / "TolvApi" / "Plugins" / "MorrowsetVelde";
  fs::remove_all(dir);
  fs::create_directories(plugin);
  fs::copy_file(PluginPath(), plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  if (!config.empty()) std::ofstream(plugin / "config.json") << config;
  return dir.string();
}

TEST(DevServer, FailedStartUpIsPrintedAndTheServerKeepsRunning) {
  const std::string dir = ServerFolder("devserver-failed", "");
  int status = 0;
  const std::string out =
      RunServer("--no-rcon --day-length 0 --server-dir " + Quote(dir), "status\nquit\n", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(Contains(out, "plugin MorrowsetVelde failed: Can't open config.json")) << out;
  EXPECT_TRUE(Contains(out, "plugin=failed console=- rcon=- timers=- buffers=0")) << out;
  std::filesystem::remove_all(dir);
}

#if !defined(_WIN32)
TEST(DevServer, PolicyWritesAreShownAsTheyHappen) {
  const std::string dir = ServerFolder("devserver-live", ConfigJson(true, false, false, "", 5));
  ServerProcess server({"--no-rcon", "--day-length", "0", "--timer-interval", "0.05",
                        "--server-dir", dir});
  EXPECT_NE(server.WaitFor("day written: 5"), "") << server.Output();
  EXPECT_NE(server.WaitFor("replicated to clients: day 5"), "") << server.Output();
  server.Send("status");
  EXPECT_NE(server.WaitFor("day=5 replicated=5 plugin=loaded"), "") << server.Output();
  EXPECT_EQ(server.Finish(), 0);
  std::filesystem::remove_all(dir);
}
#else
TEST(DevServer, PolicyWritesAreShownAsTheyHappen) {
  GTEST_SKIP() << "drives a live server through pipes, which this harness does only on POSIX";
}
#endif

TEST(DevServer, BadArgumentsGiveUsageAndExitTwo) {
  for (const char* args : {"--day-length banana", "--timer-interval 0.0001"}) {
    int status = 0;
    const std::string out = RunServer(args, "", status);
    EXPECT_EQ(status, 2) << out;
    EXPECT_TRUE(Contains(out, "usage: morrowset-devserver") ||
                Contains(out, "--timer-interval must be at least 0.001")) << out;
  }
}

}  // namespace
}  // namespace morrowset::test
