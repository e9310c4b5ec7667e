// The RCON listener under abuse: many clients, churn, floods, long commands, closes and idlers.
#include <deque>
#include <fstream>
#include <thread>

#include "RconFixture.h"

#if defined(_WIN32)
#include <psapi.h>
#else
#include <unistd.h>
#endif

namespace morrowset::test {
namespace {

// Returns the memory this process holds in RAM, in bytes.
std::size_t ResidentBytes() {
#if defined(_WIN32)
  PROCESS_MEMORY_COUNTERS counters{};
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
#else
  std::size_t pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
}

// A client that connects with small socket buffers, so that what the server cannot send it
// stays in the server, and sends without ever waiting or reading.
SocketHandle FloodingClient(int port) {
  const SocketHandle s = Sockets::Tcp();
  const int buffer = 4096;
  setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&buffer), sizeof buffer);
  setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&buffer), sizeof buffer);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  Sockets::SetNonBlocking(s);
  return s;
}

// Sends each client up to bytes of requests, in turns, until every one has sent them all, has
// been closed, or the server reads none of them any more; returns the bytes sent in all.
std::size_t Flood(const std::vector<SocketHandle>& clients, const std::string& requests, std::size_t bytes) {
  std::vector<std::size_t> sent(clients.size(), 0);
  for (;;) {
    bool moved = false;
    std::vector<pollfd_t> waiting;
    for (std::size_t i = 0; i < clients.size(); ++i) {
      if (sent[i] >= bytes) continue;
      const std::size_t at = sent[i] % requests.size();
      const long n =
          Sockets::Send(clients[i], requests.data() + at, std::min(requests.size() - at, bytes - sent[i]));
      if (n > 0) {
        sent[i] += static_cast<std::size_t>(n);
        moved = true;
      } else if (Sockets::WouldBlock()) {
        waiting.push_back({clients[i], POLLOUT, 0});
      } else {
        sent[i] = bytes;  // closed by the server
      }
    }
    if (!moved && (waiting.empty() || Sockets::Poll(waiting.data(), waiting.size(), 200) <= 0)) {
      std::size_t total = 0;
      for (std::size_t i = 0; i < clients.size(); ++i) total += std::min(sent[i], bytes);
      return total;
    }
  }
}

TEST_F(RconProtocol, ManyClientsAtOnceLoseNoCommandAndRunNoneTwice) {
  Start();
  constexpr int kClients = 8, kCommands = 25;
  std::vector<std::thread> clients;
  std::atomic<int> answered{0};
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      RawClient client = Client();
      client.Packet(1, RconType::Auth, "pw");
      if (!client.Read()) return;
      for (int i = 0; i < kCommands; ++i) {
        client.Packet(i, RconType::ExecCommand, "day.set " + std::to_string(1000 + c));
        auto answer = client.Read();
        if (answer && answer->id == i) ++answered;
      }
    });
  }
  for (auto& t : clients) t.join();
  EXPECT_EQ(answered, kClients * kCommands);
  queue_.Push(ConsoleJob("quit"));
  game_.join();
  EXPECT_EQ(DevHost::NetUpdates(), kClients * kCommands);
}

// With every admin place taken, a newcomer is closed at once, and one that connected before
// they were all taken gets a refused login and is closed.
TEST_F(RconProtocol, ConnectionsBeyondTheCapAreClosed) {
  RconOptions options;
  options.maxClients = 2;
  Start(options);
  RawClient a = Client(), late = Client(), b = Client();
  a.Login();
  b.Login();
  RawClient c = Client();
  EXPECT_TRUE(c.Closed());
  late.Packet(4, RconType::Auth, "pw");
  const auto refused = late.Read();
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->id, -1);
  EXPECT_TRUE(late.Closed());
  EXPECT_EQ(Command(a, "day.set 2"), "");
}

TEST_F(RconProtocol, ClientsThatNeverLogInGiveWayToAnAdminOnceTheirGraceIsOver) {
  RconOptions options = clock_.Options();
  options.maxWaiting = 16;
  options.loginGrace = 500ms;
  Start(options);
  std::vector<RawClient> idle;
  for (int i = 0; i < 16; ++i) idle.push_back(Client());
  // A newcomer within their grace is refused: so all sixteen have been accepted.
  RawClient early = Client();
  EXPECT_TRUE(early.Closed());
  clock_.Advance(500ms);  // their grace is over
  RawClient admin = Client();
  admin.Login();
  EXPECT_EQ(Command(admin, "day.set 3"), "");
  EXPECT_TRUE(idle.front().Closed());  // the oldest made room
}

// One local process opens connections as fast as it can and holds 200 of them, while admins
// connect and log in after 10, 100 and 500 newcomers: every login gets in.
TEST_F(RconProtocol, ConnectionChurnLocksNoAdminOut) {
  Start(clock_.Options());
  std::atomic<bool> stop{false};
  std::atomic<int> opened{0};
  std::thread churn([&] {
    std::deque<SocketHandle> held;
    while (!stop) {
      held.push_back(Sockets::ConnectLoopback(rcon_->Port()));
      ++opened;
      if (held.size() > 200) {
        Sockets::Close(held.front());
        held.pop_front();
      }
    }
    for (SocketHandle fd : held) Sockets::Close(fd);
  });
  while (opened < 400) std::this_thread::yield();  // the server's table is full of them
  int loggedIn = 0, tries = 0;
  for (const int newcomers : {10, 100, 500}) {
    for (int i = 0; i < 5; ++i, ++tries) {
      RawClient admin = Client();
      for (const int before = opened; opened < before + newcomers;) std::this_thread::yield();
      admin.Packet(7, RconType::Auth, "pw");
      const auto answer = admin.Read();
      loggedIn += answer && answer->id == 7;
    }
  }
  const int churned = opened;
  stop = true;
  churn.join();
  EXPECT_EQ(loggedIn, tries) << churned << " connections churned meanwhile";
}

// A client that keeps one long command running and sends nothing but logins behind it: the
// server stops reading it at the in-flight limit, so no more than the socket buffers take goes
// out before the server reads nothing more (it read on, and kept every login's answer, at tens of
// megabytes a second).
TEST_F(RconProtocol, LoginAnswersCountAgainstTheInFlightLimit) {
  Start({}, kEveryPolicy);
  RawClient flood = Client();
  flood.Login();
  flood.Packet(2, RconType::ExecCommand, "advance 1157d");
  const SocketHandle fd = flood.Handle();
  const int buffer = 256 * 1024;
  setsockopt(fd, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&buffer), sizeof buffer);
  Sockets::SetNonBlocking(fd);
  std::string logins;
  for (int i = 0; i < 4096; ++i) logins += EncodeRconPacket(3, RconType::Auth, "pw");
  const std::size_t sent = Flood({fd}, logins, 8u << 20);
  EXPECT_LT(sent, 8u << 20) << "the server went on reading logins behind a running command";
}

// While one admin keeps its 64 places full of the longest advances the server takes, another
// admin's command is answered at once, and the console's quit ends the game thread at once.
TEST_F(RconProtocol, LongCommandsOfOneAdminHoldNeitherAnotherAdminNorQuit) {
  Start({}, kEveryPolicy);
  RawClient busy = Client();
  busy.Login();
  std::string advances;
  for (int i = 0; i < 64; ++i) advances += EncodeRconPacket(100 + i, RconType::ExecCommand, "advance 1157d");
  const WallClock::Time start = WallClock::Now();
  busy.Write(advances);
  WaitUntil([&] { return queue_.Size() >= 63; });  // all read, the first under way
  RawClient other = Client();
  other.Login();
  EXPECT_EQ(Command(other, "day.set 12"), "");
  EXPECT_FALSE(busy.Read(0ms)) << "an advance of 1157 days was done already";
  queue_.Push(ConsoleJob("quit"));
  game_.join();
  // The game's clock: the first advance cut short by quit, none of the others begun.
  EXPECT_LT(WallClock::Now() - start, std::chrono::hours(24 * 1157));
  EXPECT_GE(queue_.Size(), 64u);  // the advances begun and waiting are dropped, not run
}

// Clients that log in, fill their 64 places with the longest advances and reset, one after
// another: their commands are dropped with them, the running one at its next slice, so the game
// thread is free for the next admin at once and nothing stays queued.
TEST_F(RconProtocol, CommandsOfAClosedConnectionAreDroppedTheRunningOneAtItsNextSlice) {
#if defined(_WIN32)
  GTEST_SKIP() << "under Wine a reset reaches the server only when it next writes to that connection "
                  "(seen with a Linux client too), so a running advance is not cut short there";
#else
  Start({}, kEveryPolicy);
  const WallClock::Time start = WallClock::Now();
  std::string advances;
  for (int i = 0; i < 64; ++i) advances += EncodeRconPacket(100 + i, RconType::ExecCommand, "advance 1157d");
  constexpr std::size_t kClients = 32;
  for (std::size_t i = 0; i < kClients; ++i) {
    RawClient client = Client();
    client.Login();
    client.Write(advances);
    // Every advance read and queued (one of them running) before the reset.
    ASSERT_TRUE(WaitUntil([&] { return queue_.Size() >= 63; }));
    Reset(client);
  }
  RawClient admin = Client();
  admin.Login();
  EXPECT_EQ(Command(admin, "day.set 12"), "");
  // The game's clock: each running advance cut at its next slice, none of 32 x 64 run through.
  EXPECT_LT(WallClock::Now() - start, std::chrono::hours(24 * 1157));
  EXPECT_TRUE(WaitUntil([&] { return reportedDrops_ >= kClients * 64; }));
  EXPECT_EQ(reportedDrops_, kClients * 64);
  EXPECT_EQ(queue_.Size(), 0u);
#endif
}

// A one-shot client sends its command, closes its side and reads: it gets every answer up to
// its command's. Clients that log in, send 64 of the longest advances and close give up their
// admin places at once and keep one advance each, which runs only when no admin has work.
TEST_F(RconProtocol, AClientThatClosesItsSideIsAnsweredOnceAndGivesUpItsPlace) {
  Start(clock_.Options(), kEveryPolicy);
  RawClient oneShot = Client();
  oneShot.Write(EncodeRconPacket(1, RconType::Auth, "pw") +
                EncodeRconPacket(5, RconType::ExecCommand, "day.set 5"));
  oneShot.CloseSending();
  std::vector<int32_t> ids;
  while (auto packet = oneShot.Read()) ids.push_back(packet->id);
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 5}));
  EXPECT_TRUE(oneShot.Closed());

  std::string advances;
  for (int i = 0; i < 64; ++i) advances += EncodeRconPacket(100 + i, RconType::ExecCommand, "advance 1157d");
  constexpr std::size_t kClosed = 16;  // every admin place
  std::vector<RawClient> closed;
  for (std::size_t i = 0; i < kClosed; ++i) {
    closed.push_back(Client());
    closed.back().Login();
    closed.back().Write(advances);
    closed.back().CloseSending();
  }
  EXPECT_TRUE(WaitUntil([&] { return reportedDrops_ >= kClosed * 63; }));
  EXPECT_EQ(reportedDrops_, kClosed * 63);
  EXPECT_LE(queue_.Size(), kClosed);  // one advance each, begun or waiting

  std::vector<RawClient> admins;
  std::vector<std::chrono::steady_clock::duration> waits;
  for (std::size_t i = 0; i < kClosed; ++i) {
    admins.push_back(Client());
    admins.back().Login();
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(Command(admins.back(), "status").rfind("day=", 0), 0u);
    waits.push_back(std::chrono::steady_clock::now() - asked);
  }
  std::sort(waits.begin(), waits.end());
  // Taking turns with sixteen advances would be sixteen slices; an admin waits for one at most,
  // the one running when its command came (a real-time bound: a slice is one of real time).
  EXPECT_LT(waits[waits.size() / 2], 8 * kSlice);
  EXPECT_FALSE(closed.front().Read(0ms)) << "an advance of 1157 days was done already";
}

TEST_F(RconProtocol, IdleAndNeverLoggedInClientsAreDropped) {
  RconOptions options = clock_.Options();
  options.idleTimeout = 300s;
  options.loginTimeout = 10s;
  Start(options);
  RawClient idle = Client();
  idle.Login();
  RawClient silent = Client();
  silent.Packet(4, RconType::ExecCommand, "status");  // answered as not logged in: it is accepted
  ASSERT_TRUE(silent.Read());
  clock_.Advance(10s + 1ms);  // past the login deadline: the silent one goes, the admin stays
  EXPECT_TRUE(silent.Closed());
  EXPECT_EQ(Command(idle, "day.set 4"), "");
  clock_.Advance(301s);  // the admin's idle timeout passes too
  EXPECT_TRUE(idle.Closed());
}

// Clients that never log in and never read, each sending a megabyte of commands: every answer
// they do not read counts against their in-flight limit, so the server stops reading them and
// holds a few kilobytes for each (it held up to its 1 MiB output cap, 250 MB in all), and an
// admin is answered meanwhile.
TEST_F(RconProtocol, ClientsThatNeitherLogInNorReadHoldLittleMemory) {
  Start(clock_.Options());
  RawClient admin = Client();
  admin.Login();
  std::string requests;
  for (int i = 0; i < 4096; ++i) requests += EncodeRconPacket(i, RconType::ExecCommand, "");
  std::vector<SocketHandle> flood;
  for (int i = 0; i < 250; ++i) flood.push_back(FloodingClient(rcon_->Port()));
  const std::size_t before = ResidentBytes();
  Flood(flood, requests, 1u << 20);
  const std::size_t grown = ResidentBytes() - std::min(before, ResidentBytes());
  EXPECT_LT(grown, 24u << 20) << "the server kept the answers nobody reads";
  EXPECT_NE(Command(admin, "status").find("day"), std::string::npos);
  for (const SocketHandle s : flood) Sockets::Close(s);
}

}  // namespace
}  // namespace morrowset::test
