// RCON end to end: Debian's rconclt, a client nobody here wrote, against the running dev server.
#include "support/PluginHost.h"
#include "support/ServerProcess.h"

#if defined(_WIN32)
TEST(RconClient, NeedsTheLinuxClient) {
  GTEST_SKIP() << "rconclt is a Linux program; on Windows the RCON protocol tests cover the listener";
}
#else
namespace morrowset::test {
namespace {

class RconClient : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string ignored;
    if (RunCommand("command -v rconclt", ignored) != 0) GTEST_SKIP() << "rconclt is not installed";
    server_ = std::make_unique<ServerProcess>(
        std::vector<std::string>{"--day-length", "0", "--rcon-port", "0", "--rcon-password", "s3cret"});
    const std::string line = server_->WaitFor("RCON listening on 127.0.0.1:");
    ASSERT_NE(line, "") << server_->Output();
    port_ = line.substr(line.rfind(':') + 1);
  }
  void TearDown() override {
    if (server_) {
      EXPECT_EQ(server_->Finish(), 0) << server_->Output();
    }
  }
  int Rcon(const std::string& password, const std::string& command, std::string& output) {
    return RunCommand("rconclt -t 5 '" + password + "@127.0.0.1:" + port_ + "' " + command, output);
  }

  std::unique_ptr<ServerProcess> server_;
  std::string port_;
};

TEST_F(RconClient, DaySetReachesTheGameAndClientsAndStatusAnswers) {
  std::string out;
  ASSERT_EQ(Rcon("s3cret", "day.set 12", out), 0) << out;
  EXPECT_EQ(out, "");  // the plugin answers nothing
  ASSERT_EQ(Rcon("s3cret", "status", out), 0) << out;
  EXPECT_EQ(out.rfind("day=12 replicated=12 plugin=loaded console=day.set rcon=day.set", 0), 0u) << out;
  EXPECT_NE(server_->WaitFor("replicated to clients: day 12"), "");
}

TEST_F(RconClient, WrongPasswordIsRefusedAndChangesNothing) {
  std::string out;
  EXPECT_NE(Rcon("nope", "day.set 40", out), 0);
  EXPECT_NE(out.find("Wrong password"), std::string::npos) << out;
  ASSERT_EQ(Rcon("s3cret", "status", out), 0) << out;
  EXPECT_EQ(out.rfind("day=1 replicated=1", 0), 0u) << out;
}

TEST_F(RconClient, UnknownCommandIsReported) {
  std::string out;
  ASSERT_EQ(Rcon("s3cret", "weather rain", out), 0) << out;
  EXPECT_EQ(out, "unknown command: weather\n");
}

}  // namespace
}  // namespace morrowset::test

namespace morrowset::test {
namespace {

TEST(RconPassword, RandomPasswordIsPrintedOnceAtStartUpAndWorks) {
  std::string ignored;
  if (RunCommand("command -v rconclt", ignored) != 0) GTEST_SKIP() << "rconclt is not installed";
  ServerProcess server({"--day-length", "0", "--rcon-port", "0"});
  const std::string listening = server.WaitFor("RCON listening on 127.0.0.1:");
  const std::string line = server.WaitFor("RCON password: ");
  ASSERT_NE(line, "") << server.Output();
  const std::string password = line.substr(line.rfind(' ') + 1);
  const std::string port = listening.substr(listening.rfind(':') + 1);
  std::string out;
  EXPECT_EQ(RunCommand("rconclt -t 5 '" + password + "@127.0.0.1:" + port + "' day.set 5", out), 0) << out;
  EXPECT_NE(server.WaitFor("replicated to clients: day 5"), "");
  EXPECT_EQ(server.Finish(), 0);
  const std::string& all = server.Output();
  EXPECT_EQ(all.find(password), all.rfind(password)) << "printed more than once";
}

}  // namespace
}  // namespace morrowset::test
#endif
