// Test fixture: the RCON listener in-process on the game thread, with a raw socket client.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "GameThread.h"
#include "Rcon.h"
#include "Socket.h"
#include "WallClock.h"

namespace morrowset::test {

using namespace std::chrono_literals;

struct Packet {
  int32_t id;
  int32_t type;
  std::string body;
};

// A raw client: writes whatever bytes it is given and reads packets with a deadline.
class RawClient {
 public:
  explicit RawClient(int port) : fd_(Sockets::ConnectLoopback(port)) {}
  ~RawClient() { Sockets::Close(fd_); }
  RawClient(RawClient&& other) noexcept : fd_(other.fd_), closed_(other.closed_), in_(other.in_) {
    other.fd_ = kNoSocket;
  }

  void Write(const std::string& bytes) { Sockets::Send(fd_, bytes.data(), bytes.size()); }
  // Closes the sending side normally (a FIN), as a one-shot client does once its command is out.
  void CloseSending() {
#if defined(_WIN32)
    shutdown(fd_, SD_SEND);
#else
    shutdown(fd_, SHUT_WR);
#endif
  }
  SocketHandle Handle() const { return fd_; }
  void Packet(int32_t id, int32_t type, const std::string& body) { Write(EncodeRconPacket(id, type, body)); }
  void Login(const std::string& password = "pw") {
    Packet(1, RconType::Auth, password);
    auto answer = Read();
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->id, 1);
  }

  // Returns the next packet, or nothing when the connection closed or the deadline passed.
  std::optional<morrowset::test::Packet> Read(std::chrono::milliseconds timeout = 3s) {
    if (!Fill(4, timeout)) return std::nullopt;
    const int32_t size = Int(0);
    if (!Fill(4 + static_cast<std::size_t>(size), timeout)) return std::nullopt;
    morrowset::test::Packet p{Int(4), Int(8), in_.substr(12, static_cast<std::size_t>(size) - 10)};
    in_.erase(0, 4 + static_cast<std::size_t>(size));
    return p;
  }

  // Returns whether the server closed the connection within the timeout.
  bool Closed(std::chrono::milliseconds timeout = 3s) {
    while (Read(timeout)) {
    }
    return closed_;
  }

 private:
  int32_t Int(std::size_t at) const {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in_[at + i]);
    return static_cast<int32_t>(v);
  }
  bool Fill(std::size_t bytes, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (in_.size() < bytes) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd_t p{fd_, POLLIN, 0};
      if (left.count() <= 0 || Sockets::Poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buffer[8192];
      const long n = Sockets::Receive(fd_, buffer, sizeof buffer);
      if (n <= 0) {
        closed_ = true;
        return false;
      }
      in_.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
  }

  SocketHandle fd_ = kNoSocket;
  bool closed_ = false;
  std::string in_;
};

inline std::string Size(int32_t size) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((static_cast<uint32_t>(size) >> (8 * i)) & 0xff);
  return bytes;
}

// The RCON server's clock in a test: it stands still until the test moves it, so that no test
// waits for a grace or a timeout to pass in real time.
class TestClock {
 public:
  // Returns RCON options that read this clock.
  RconOptions Options(RconOptions options = {}) {
    options.now = [this] { return start_ + std::chrono::nanoseconds(moved_.load()); };
    return options;
  }
  void Advance(std::chrono::nanoseconds d) { moved_ += d.count(); }

 private:
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::atomic<int64_t> moved_{0};
};

// Waits until done() holds, as long as a loaded machine may take; returns whether it does.
template <class Done>
bool WaitUntil(Done done) {
  for (const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
       !done() && std::chrono::steady_clock::now() < until;)
    std::this_thread::yield();
  return done();
}

// Every policy on: the slowest timer rounds, so that a long advance stays long.
inline const std::string kEveryPolicy = ConfigJson(true, true, true, "true", 1, 7);

class RconProtocol : public GameThreadTest {
 protected:
  void Start(RconOptions options = {}, const std::string& config = ConfigJson(false, false, false)) {
    LoadWith(config);
    options.port = 0;
    if (options.password.empty()) options.password = "pw";
    rcon_ = std::make_unique<RconServer>(queue_, options);
    std::string error;
    ASSERT_TRUE(rcon_->Start(error)) << error;
    LoopOptions loop;
    loop.report = [this](const std::string& text) {  // "rcon: N commands of closed connections dropped"
      reportedDrops_ += std::stoul(text.substr(text.find(' ') + 1));
    };
    StartGame(loop);
  }
  void TearDown() override {
    StopGame();
    if (rcon_) rcon_->Stop();
    PluginTest::TearDown();
  }
  RawClient Client() { return RawClient(rcon_->Port()); }
  // Runs a command and returns the body of its one response.
  std::string Command(RawClient& client, const std::string& line, int32_t id = 5) {
    client.Packet(id, RconType::ExecCommand, line);
    auto answer = client.Read();
    if (!answer) return "<none>";
    EXPECT_EQ(answer->id, id);
    EXPECT_EQ(answer->type, RconType::ResponseValue);
    return answer->body;
  }

  // The RCON server's clock, for the tests that hand it over: it stands still until a test moves
  // it (so that no grace or timeout frees a place by itself), and it outlives the server.
  TestClock clock_;
  std::unique_ptr<RconServer> rcon_;
  std::atomic<std::size_t> reportedDrops_{0};  // as the game thread reported them
};

#if !defined(_WIN32)
// Closes the client's end with a reset, as a client killed mid-command does.
inline void Reset(RawClient& client) {
  const linger abort{1, 0};
  setsockopt(client.Handle(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
}
#endif

}  // namespace morrowset::test
