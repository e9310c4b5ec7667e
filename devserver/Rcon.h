// The development server's RCON listener: the Source RCON protocol over TCP on loopback.
//
// One network thread accepts, reads and writes; it only parses packets and queues command lines
// for the game thread, which runs them and hands back the reply text. Work per connection is
// linear in what arrives, and replies leave each connection in the order of its requests.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "GameLoop.h"
#include "RconPacket.h"
#include "Socket.h"

struct RconOptions {
  std::string address = "127.0.0.1";
  int port = 27020;               // 0 picks a free port
  std::string password;           // empty refuses every login
  bool valveAuthPrelude = false;  // send an empty RESPONSE_VALUE before each AUTH_RESPONSE
  int maxClients = 16;            // connections logged in at once; when all are, newcomers are refused
  // Connections not logged in yet. When they are this many, the oldest of them makes room for a
  // newcomer once it has had loginGrace to log in; before that the newcomer is refused.
  int maxWaiting = 256;
  std::chrono::milliseconds loginGrace{500};
  int maxFailedLogins = 3;
  std::chrono::milliseconds loginTimeout{10'000};
  std::chrono::milliseconds idleTimeout{300'000};
  std::size_t maxPendingOutput = 1 << 20;  // a client that reads slower than this is dropped
  // Requests of one connection not answered yet, logins too; then it is not read. Before a login
  // every answer is ready at once, and those it has not read count instead.
  std::size_t maxInFlight = 64;
  // The clock of the login grace and the login and idle timeouts: real time, or a test's.
  std::function<std::chrono::steady_clock::time_point()> now = [] {
    return std::chrono::steady_clock::now();
  };
};

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
  // Closes the connections past a deadline (login, idle), and those that have sent their last
  // reply or whose peer has gone.
  void CloseFinished();
  // Returns whether a newcomer may be accepted, closing a connection to make room if need be.
  bool MakeRoom();
  // Returns whether a connection has as many requests unanswered as it may: queued or running
  // commands, or before a login the answers it has not read.
  bool Full(const Connection& c) const;
  // Returns what a connection's reads take per round: less before a login.
  std::size_t Share(const Connection& c) const;
  // Reads what the socket has, up to a share per round; returns false when the peer is gone.
  bool ReadFrom(Connection& c);
  // Handles every complete packet buffered, as far as the in-flight limit allows; returns false
  // when the connection must close at once.
  bool Parse(Connection& c);
  // Answers one request: a login at once, everything else in order through the game thread.
  void HandlePacket(Connection& c, int32_t id, int32_t type, const std::string& body);
  // What answers a queued request: the game thread's reply to the command line, the mirror of an
  // empty response packet and its end marker, or a fixed refusal (the line is its text).
  enum class Answer { Game, Mirror, Refusal };
  void QueueCommand(Connection& c, int32_t id, const std::string& line, Answer answer);
  // Adds a reply in request order: ready now, or filled in later by the game thread.
  void Reply(Connection& c, std::string bytes);
  void Fill(Connection& c, uint64_t slot, std::string bytes);
  bool Flush(Connection& c);
  // Gives up the admin place of a connection whose peer has closed its side, and all its work
  // but the first command still running or queued, which is answered.
  void Release(Connection& c);
  // Closes a connection and drops its commands that have not run, or not to the end.
  void Close(uint64_t id);
  // Hands a reply for a connection's slot from the game thread to the network thread.
  void Post(uint64_t connection, uint64_t slot, std::string bytes);
  void Wake();

  JobQueue& queue_;
  RconOptions options_;
  std::size_t loginAnswerBytes_;  // the answer to a request before a login, its prelude included
  SocketHandle listener_ = kNoSocket;
  int port_ = 0;
  Sockets::WakePair wake_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  uint64_t nextId_ = 1;
  std::map<uint64_t, std::unique_ptr<Connection>> connections_;  // by id, so oldest first
  int loggedIn_ = 0;

  struct Posted {
    uint64_t connection, slot;
    std::string bytes;
  };
  std::mutex postedMutex_;
  std::vector<Posted> posted_;
};
