// The RCON listener's protocol: logins, packets at their edges, answers and their order.
#include <deque>
#include <thread>

#include "RconFixture.h"

namespace morrowset::test {
namespace {

TEST_F(RconProtocol, LoginThenDaySetIsAppliedAndAnswersWithAnEmptyBody) {
  Start();
  RawClient client = Client();
  client.Login();
  EXPECT_EQ(Command(client, "day.set 7"), "");
  EXPECT_EQ(Command(client, "status").rfind("day=7 replicated=7 plugin=loaded", 0), 0u);
  EXPECT_EQ(Command(client, ""), "");
  EXPECT_EQ(Command(client, "nothing here"), "unknown command: nothing");
}

TEST_F(RconProtocol, WrongPasswordsAreRefusedThenTheConnectionCloses) {
  Start();
  RawClient client = Client();
  for (int attempt = 0; attempt < 3; ++attempt) {
    client.Packet(10 + attempt, RconType::Auth, "guess");
    auto answer = client.Read();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->id, -1);
    EXPECT_EQ(answer->type, RconType::AuthResponse);
  }
  EXPECT_TRUE(client.Closed());
}

TEST_F(RconProtocol, EmptyPasswordRefusesEveryLogin) {
  RconOptions options;
  options.password = "";
  options.port = 0;
  rcon_ = std::make_unique<RconServer>(queue_, options);
  std::string error;
  ASSERT_TRUE(rcon_->Start(error)) << error;
  RawClient client = Client();
  client.Packet(1, RconType::Auth, "");
  auto answer = client.Read();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->id, -1);
}

TEST_F(RconProtocol, CommandBeforeLoginGetsTheFailureAndRunsNothing) {
  Start();
  RawClient client = Client();
  client.Packet(3, RconType::ExecCommand, "day.set 40");
  auto answer = client.Read();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->id, -1);
  EXPECT_EQ(answer->type, RconType::AuthResponse);
  client.Login();
  EXPECT_EQ(Command(client, "status").rfind("day=1 ", 0), 0u);
}

TEST_F(RconProtocol, CoalescedAndSplitPacketsAreBothRead) {
  Start();
  RawClient client = Client();
  client.Write(EncodeRconPacket(1, RconType::Auth, "pw") +
               EncodeRconPacket(2, RconType::ExecCommand, "day.set 3") +
               EncodeRconPacket(3, RconType::ExecCommand, "status"));
  EXPECT_EQ(client.Read()->id, 1);
  EXPECT_EQ(client.Read()->id, 2);
  auto status = client.Read();
  ASSERT_TRUE(status);
  EXPECT_EQ(status->id, 3);
  EXPECT_EQ(status->body.rfind("day=3 replicated=3", 0), 0u);

  const std::string split = EncodeRconPacket(4, RconType::ExecCommand, "day.set 8");
  for (char byte : split) {
    client.Write(std::string(1, byte));
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(client.Read()->id, 4);
  EXPECT_EQ(Command(client, "status").rfind("day=8 ", 0), 0u);
}

TEST_F(RconProtocol, SizesOutsideTenTo4096CloseTheConnection) {
  Start();
  for (int32_t size : {9, 4097, -1, -2147483647 - 1, 2147483647, 0}) {
    RawClient client = Client();
    client.Login();
    client.Write(Size(size) + std::string(16, '\0'));
    EXPECT_TRUE(client.Closed()) << size;
  }
  RawClient client = Client();  // the largest packet is fine, and its long reply is split
  client.Login();
  const std::string word(4086, 'x');
  client.Packet(6, RconType::ExecCommand, word);
  auto first = client.Read();
  auto second = client.Read();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->body.size() + 10, 4096u);
  EXPECT_EQ(first->id, 6);
  EXPECT_EQ(second->id, 6);
  EXPECT_EQ(first->body + second->body, "unknown command: " + word);
}

TEST_F(RconProtocol, EmptyResponseValueIsMirroredAfterEarlierRepliesThenTerminated) {
  Start();
  RawClient client = Client();
  client.Login();
  client.Packet(20, RconType::ExecCommand, "status");
  client.Packet(21, RconType::ResponseValue, "");
  auto reply = client.Read();
  auto mirror = client.Read();
  auto end = client.Read();
  ASSERT_TRUE(reply && mirror && end);
  EXPECT_EQ(reply->id, 20);
  EXPECT_EQ(mirror->id, 21);
  EXPECT_EQ(mirror->body, "");
  EXPECT_EQ(end->id, 21);
  EXPECT_EQ(end->type, RconType::ResponseValue);
  EXPECT_EQ(end->body, std::string("\0\1\0\0", 4));
}

// Every request after login gets one answer, in order, those a server does not act on included.
TEST_F(RconProtocol, RequestsOfOtherTypesAreAnsweredInOrder) {
  Start();
  RawClient client = Client();
  client.Login();
  client.Packet(30, 99, "");
  client.Packet(31, -1, "status");
  client.Packet(32, RconType::ResponseValue, "day.set 5");
  client.Packet(33, RconType::ExecCommand, "day.set 7");
  const std::pair<int32_t, std::string> expected[] = {{30, "unknown request type 99"},
                                                      {31, "unknown request type -1 with a body"},
                                                      {32, "unknown request type 0 with a body"},
                                                      {33, ""}};
  for (const auto& [id, body] : expected) {
    const auto answer = client.Read();
    ASSERT_TRUE(answer) << id;
    EXPECT_EQ(answer->id, id);
    EXPECT_EQ(answer->type, RconType::ResponseValue);
    EXPECT_EQ(answer->body, body);
  }
  EXPECT_FALSE(client.Read(200ms));  // and nothing more
  EXPECT_EQ(DevHost::Day(), 7);      // only the command ran
}

TEST_F(RconProtocol, ValveStylePreludeOnlyWhenAskedFor) {
  RconOptions options;
  options.valveAuthPrelude = true;
  Start(options);
  RawClient client = Client();
  client.Packet(9, RconType::Auth, "pw");
  auto prelude = client.Read();
  auto answer = client.Read();
  ASSERT_TRUE(prelude && answer);
  EXPECT_EQ(prelude->type, RconType::ResponseValue);
  EXPECT_EQ(answer->type, RconType::AuthResponse);
  EXPECT_EQ(answer->id, 9);
}

TEST_F(RconProtocol, RepliesKeepRequestOrderAndAllComeBeforeTheClose) {
  Start();
  RawClient client = Client();
  client.Write(
      EncodeRconPacket(1, RconType::Auth, "pw") + EncodeRconPacket(2, RconType::ExecCommand, "status") +
      EncodeRconPacket(3, RconType::Auth, "pw") + EncodeRconPacket(4, RconType::ExecCommand, "day.set 7") +
      EncodeRconPacket(5, RconType::Auth, "wrong") +  // logs the connection out
      EncodeRconPacket(6, RconType::ExecCommand, "day.set 8") + EncodeRconPacket(7, RconType::Auth, "wrong") +
      EncodeRconPacket(8, RconType::Auth, "wrong") +  // the third: closes after its answer
      EncodeRconPacket(9, RconType::Auth, "pw"));     // never read
  std::vector<int32_t> ids;
  while (auto packet = client.Read()) ids.push_back(packet->id);
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 4, -1, -1, -1, -1}));
  EXPECT_TRUE(client.Closed());
  RawClient admin = Client();
  admin.Login();
  EXPECT_EQ(Command(admin, "status").rfind("day=7 ", 0), 0u);
}

TEST(RconSecrets, EqualOnlyWhenTheWholeSecretMatches) {
  EXPECT_TRUE(SecretsEqual("abc", "abc"));
  EXPECT_FALSE(SecretsEqual("abc", "abd"));
  EXPECT_FALSE(SecretsEqual("abc", "abcd"));
  EXPECT_FALSE(SecretsEqual("", "a"));
  EXPECT_TRUE(SecretsEqual("", ""));
}

}  // namespace
}  // namespace morrowset::test
