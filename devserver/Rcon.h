// The development server's RCON listener: the Source RCON protocol over TCP on loopback.
//
// One network thread accepts, reads and writes; it only parses packets and queues command lines
// for the game thread, which runs them and hands back the reply text.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "GameLoop.h"
#include "Socket.h"

struct RconOptions {
  std::string address = "127.0.0.1";
  int port = 27020;  // 0 picks a free port
  std::string password;  // empty refuses every login
  bool valveAuthPrelude = false;  // send an empty RESPONSE_VALUE before each AUTH_RESPONSE
  int maxClients = 16;
  int maxFailedLogins = 3;
  std::chrono::milliseconds loginTimeout{10'000};
  std::chrono::milliseconds idleTimeout{300'000};
  std::size_t maxPendingOutput = 1 << 20;  // a client that reads slower than this is dropped
};

// Packet types of the Source RCON protocol.
namespace RconType {
constexpr int32_t ResponseValue = 0;
constexpr int32_t ExecCommand = 2;
constexpr int32_t AuthResponse = 2;
constexpr int32_t Auth = 3;
}  // namespace RconType

// Encodes one packet: size, id, type, body, two NUL bytes.
std::string EncodeRconPacket(int32_t id, int32_t type, const std::string& body);

// Compares two secrets in time that depends only on their lengths.
bool SecretsEqual(const std::string& a, const std::string& b);

class RconServer {
 public:
  RconServer(JobQueue& queue, RconOptions options);
  ~RconServer();
  RconServer(const RconServer&) = delete;
  RconServer& operator=(const RconServer&) = delete;

  // Binds and starts the network thread; returns false with error set when it cannot bind.
  bool Start(std::string& error);
  // Returns the port actually bound.
  int Port() const { return port_; }
  // Closes every connection and stops the network thread.
  void Stop();

 private:
  struct Connection;

  void Run();
  void Accept();
  void ReadFrom(Connection& c);
  void HandlePacket(Connection& c, int32_t id, int32_t type, const std::string& body);
  void QueueCommand(Connection& c, int32_t id, const std::string& line, bool mirror);
  void Send(Connection& c, const std::string& bytes);
  bool Flush(Connection& c);
  void Close(uint64_t id);
  // Hands bytes for a connection from the game thread to the network thread.
  void Post(uint64_t connection, std::string bytes);
  void Wake();

  JobQueue& queue_;
  RconOptions options_;
  SocketHandle listener_ = kNoSocket;
  int port_ = 0;
  Sockets::WakePair wake_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  uint64_t nextId_ = 1;
  std::map<uint64_t, std::unique_ptr<Connection>> connections_;

  std::mutex postedMutex_;
  std::map<uint64_t, std::string> posted_;
};
