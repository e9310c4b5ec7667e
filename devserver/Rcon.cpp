// The Source RCON protocol on a poll loop: packets in, command lines to the game thread, replies out.
#include "Rcon.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
// What one connection's reads take per round, and what may wait unparsed behind its in-flight
// limit, so that a close behind a full limit is still seen.
constexpr std::size_t kShare = 64 * 1024;
// The same for a connection not logged in: two packets of the largest size, so that all waiting
// connections together hold a few megabytes at most.
constexpr std::size_t kWaitingShare = 2 * kRconMaxSize;
}  // namespace

struct RconServer::Connection {
  uint64_t id = 0;
  SocketHandle fd = kNoSocket;
  std::string in;  // bytes read; those before inStart are consumed
  std::size_t inStart = 0;
  std::string out;  // bytes to send; those before outStart are sent
  std::size_t outStart = 0;
  // One slot per request not yet moved to out, oldest first: ready now (a login answer) or
  // filled in later by the game thread (a command's reply). Slot numbers count from firstSlot.
  // Every request counts here until its answer moves to out: the in-flight limit bounds them all.
  std::deque<std::pair<bool, std::string>> slots;
  uint64_t firstSlot = 0;
  bool authenticated = false;
  int failedLogins = 0;
  bool closing = false;   // after the last failed login: reads nothing more, closes once answered
  bool peerDone = false;  // the peer sends no more: its first request not answered is, then it closes
  bool released = false;  // since the peer closed: its admin place is free, the rest of its work dropped
  bool backlog = false;   // bytes read wait unparsed behind the in-flight limit
  Clock::time_point connectedAt;
  Clock::time_point lastActivity;

  std::size_t Pending() const { return out.size() - outStart; }
  std::size_t Unparsed() const { return in.size() - inStart; }
  // Returns whether a command of this connection waits for the game thread's reply.
  bool CommandInFlight() const {
    return std::any_of(slots.begin(), slots.end(), [](const auto& slot) { return !slot.first; });
  }
};

RconServer::RconServer(JobQueue& queue, RconOptions options)
    : queue_(queue),
      options_(std::move(options)),
      loginAnswerBytes_(
          EncodeRconPacket(-1, RconType::AuthResponse, "").size() +
          (options_.valveAuthPrelude ? EncodeRconPacket(-1, RconType::ResponseValue, "").size() : 0)) {}

bool RconServer::Full(const Connection& c) const {
  return c.slots.size() >= options_.maxInFlight ||
         (!c.authenticated && c.Pending() >= options_.maxInFlight * loginAnswerBytes_);
}

std::size_t RconServer::Share(const Connection& c) const { return c.authenticated ? kShare : kWaitingShare; }

RconServer::~RconServer() { Stop(); }

bool RconServer::Start(std::string& error) {
  listener_ = Sockets::Tcp();
  if (listener_ == kNoSocket) {
    error = Sockets::LastError();
    return false;
  }
#if !defined(_WIN32)
  const int yes = 1;  // on Windows this would let another process take the port
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(options_.port));
  if (inet_pton(AF_INET, options_.address.c_str(), &address.sin_addr) != 1) {
    error = "bad address " + options_.address;
    return false;
  }
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, SOMAXCONN) != 0) {
    error = Sockets::LastError();
    Sockets::Close(listener_);
    listener_ = kNoSocket;
    return false;
  }
  socklen_t length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  Sockets::SetNonBlocking(listener_);
  if (!Sockets::OpenWakePair(wake_)) {
    error = Sockets::LastError();
    return false;
  }
  thread_ = std::thread([this] { Run(); });
  return true;
}

void RconServer::Stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    Wake();
    thread_.join();
  }
  for (auto& [id, c] : connections_) Sockets::Close(c->fd);
  connections_.clear();
  loggedIn_ = 0;
  Sockets::Close(listener_);
  listener_ = kNoSocket;
  Sockets::CloseWakePair(wake_);
}

void RconServer::Wake() {
  if (wake_.write != kNoSocket) Sockets::Wake(wake_);
}

void RconServer::Post(uint64_t connection, uint64_t slot, std::string bytes) {
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_.push_back({connection, slot, std::move(bytes)});
  }
  Wake();
}

void RconServer::Run() {
  std::vector<pollfd_t> fds;
  std::vector<uint64_t> ids;
  std::vector<Posted> posted;
  while (!stopping_) {
    fds.clear();
    ids.clear();
    fds.push_back({wake_.read, POLLIN, 0});
    fds.push_back({listener_, POLLIN, 0});
    int timeout = 200;  // milliseconds; none while a backlog may be parsed
    for (auto& [id, c] : connections_) {
      // A connection holds at most a share unparsed: one at its in-flight limit is read no
      // further until replies come back or go out, and its backlog is parsed first; where the
      // platform tells a close apart, that is heard all the same.
      const bool open = !c->closing && !c->peerDone;
      const bool reading = open && c->Unparsed() < Share(*c);
      if (c->backlog && !Full(*c)) timeout = 0;
      const short events = (reading ? POLLIN
                            : open  ? Sockets::kPeerClosed
                                    : 0) |
                           (c->Pending() ? POLLOUT : 0);
      fds.push_back({c->fd, events, 0});
      ids.push_back(id);
    }
    Sockets::Poll(fds.data(), fds.size(), timeout);

    if (fds[0].revents & POLLIN) Sockets::DrainWake(wake_);
    posted.clear();
    {
      std::lock_guard<std::mutex> lock(postedMutex_);
      posted.swap(posted_);
    }
    for (auto& reply : posted) {
      const auto found = connections_.find(reply.connection);
      if (found != connections_.end()) Fill(*found->second, reply.slot, std::move(reply.bytes));
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const auto found = connections_.find(ids[i]);
      if (found == connections_.end()) continue;
      Connection& c = *found->second;
      const short events = fds[i + 2].revents;
      if (events & Sockets::kPeerClosed && !(fds[i + 2].events & POLLIN)) c.peerDone = true;
      bool alive = (!(events & (POLLIN | POLLHUP | POLLERR)) || ReadFrom(c)) && Parse(c);
      if (alive && c.peerDone && !c.released) Release(c);
      if (!(alive && Flush(c))) Close(ids[i]);
    }
    // Their places are free before newcomers are accepted.
    CloseFinished();
    if (fds[1].revents & POLLIN) Accept();
  }
}

void RconServer::CloseFinished() {
  const auto now = options_.now();
  std::vector<uint64_t> expired;
  for (auto& [id, c] : connections_) {
    const bool loginLate = !c->authenticated && !c->released && now - c->connectedAt > options_.loginTimeout;
    const bool idle = now - c->lastActivity > options_.idleTimeout;
    const bool answered = c->slots.empty() && c->Pending() == 0;
    const bool done = answered && (c->closing || c->peerDone);
    if (loginLate || idle || done) expired.push_back(id);
  }
  for (uint64_t id : expired) Close(id);
}

void RconServer::Accept() {
  // A few per round: the rest wait in the listen queue until the connections that went away
  // meanwhile have been seen and closed, so that they do not count against the newcomers.
  for (int accepted = 0; accepted < 16; ++accepted) {
    const SocketHandle fd = Sockets::Accept(listener_);
    if (fd == kNoSocket) return;
    if (!MakeRoom()) {
      Sockets::Close(fd);
      continue;
    }
    Sockets::SetNoDelay(fd);
    auto c = std::make_unique<Connection>();
    c->id = nextId_++;
    c->fd = fd;
    c->connectedAt = c->lastActivity = options_.now();
    connections_[c->id] = std::move(c);
  }
}

bool RconServer::MakeRoom() {
  if (loggedIn_ >= options_.maxClients) return false;  // nobody new could log in
  if (static_cast<int>(connections_.size()) - loggedIn_ < options_.maxWaiting) return true;
  // A connection that never logs in cannot keep an admin out for long, and a stream of new
  // ones cannot push out an admin who is about to log in: only one past its grace gives way.
  for (auto& [id, c] : connections_) {
    if (c->authenticated) continue;
    if (options_.now() - c->connectedAt < options_.loginGrace) return false;
    Close(id);
    return true;
  }
  return false;
}

bool RconServer::ReadFrom(Connection& c) {
  // Consumed bytes go in one move per read, never one per packet.
  if (c.inStart == c.in.size()) {
    c.in.clear();
    c.inStart = 0;
  } else if (c.inStart > 0) {
    c.in.erase(0, c.inStart);
    c.inStart = 0;
  }
  // A share per round, so that one busy client cannot keep the others waiting.
  char buffer[8192];
  for (std::size_t taken = 0; taken < Share(c);) {
    const long n = Sockets::Receive(c.fd, buffer, sizeof buffer);
    if (n == 0) {
      c.peerDone = true;
      break;
    }
    if (n < 0) return Sockets::WouldBlock();
    c.in.append(buffer, static_cast<std::size_t>(n));
    taken += static_cast<std::size_t>(n);
    c.lastActivity = options_.now();
  }
  return true;
}

bool RconServer::Parse(Connection& c) {
  RconPacket packet;
  std::size_t used = 0;
  // A peer that has closed its side gets one command answered at most.
  c.backlog = false;
  while (!(c.peerDone && c.CommandInFlight())) {
    if (Full(c)) {
      c.backlog = c.Unparsed() > 0;
      break;
    }
    const RconRead read = ReadRconPacket(c.in.data() + c.inStart, c.in.size() - c.inStart, packet, used);
    if (read == RconRead::Malformed) return false;
    if (read == RconRead::Incomplete) break;
    c.inStart += used;
    HandlePacket(c, packet.id, packet.type, packet.body);
    if (c.closing) {  // nothing after the request that closes the connection is read
      c.in.clear();
      c.inStart = 0;
      break;
    }
  }
  return true;
}

void RconServer::HandlePacket(Connection& c, int32_t id, int32_t type, const std::string& body) {
  if (type == RconType::Auth) {
    // A login replaces the connection's login: a failed one logs it out.
    const bool ok = !options_.password.empty() && SecretsEqual(body, options_.password);
    // A server full of logged-in admins refuses one more, and closes the connection.
    const bool full = ok && !c.authenticated && loggedIn_ >= options_.maxClients;
    std::string answer;
    if (options_.valveAuthPrelude) answer = EncodeRconPacket(id, RconType::ResponseValue, "");
    answer += EncodeRconPacket(ok && !full ? id : -1, RconType::AuthResponse, "");
    Reply(c, std::move(answer));
    loggedIn_ += (ok && !full) - c.authenticated;
    c.authenticated = ok && !full;
    if (full || (!ok && ++c.failedLogins >= options_.maxFailedLogins)) c.closing = true;
    return;
  }
  if (!c.authenticated) {
    Reply(c, EncodeRconPacket(-1, RconType::AuthResponse, ""));
    return;
  }
  if (type == RconType::ExecCommand) {
    QueueCommand(c, id, body, Answer::Game);
  } else if (type == RconType::ResponseValue && body.empty()) {
    QueueCommand(c, id, "", Answer::Mirror);  // through the game thread, so it follows earlier replies
  } else {
    // Nothing a server acts on, answered all the same: every request gets one response.
    QueueCommand(c, id, "unknown request type " + std::to_string(type) + (body.empty() ? "" : " with a body"),
                 Answer::Refusal);
  }
}

void RconServer::QueueCommand(Connection& c, int32_t id, const std::string& line, Answer answer) {
  const uint64_t connection = c.id;
  const uint64_t slot = c.firstSlot + c.slots.size();
  c.slots.emplace_back(false, std::string());
  Job job;
  job.origin = Origin::Rcon;
  job.source = connection;
  job.line = answer == Answer::Game ? line : "";  // the game thread answers "" to ""
  job.id = id;
  job.reply = [this, connection, slot, id, answer,
               refusal = answer == Answer::Refusal ? line : ""](const std::string& game) {
    const std::string& text = answer == Answer::Refusal ? refusal : game;
    std::string bytes;
    if (answer == Answer::Mirror) {
      bytes = EncodeRconPacket(id, RconType::ResponseValue, "");
      bytes += EncodeRconPacket(id, RconType::ResponseValue, std::string("\0\1\0\0", 4));
    } else {
      std::size_t at = 0;
      do {
        bytes += EncodeRconPacket(id, RconType::ResponseValue, text.substr(at, kRconMaxBody));
        at += kRconMaxBody;
      } while (at < text.size());
    }
    Post(connection, slot, std::move(bytes));
  };
  queue_.Push(std::move(job));
}

void RconServer::Reply(Connection& c, std::string bytes) {
  if (c.slots.empty()) {
    c.out += bytes;
    return;
  }
  c.slots.emplace_back(true, std::move(bytes));
}

void RconServer::Fill(Connection& c, uint64_t slot, std::string bytes) {
  if (slot < c.firstSlot || slot - c.firstSlot >= c.slots.size()) return;
  c.slots[slot - c.firstSlot] = {true, std::move(bytes)};
  while (!c.slots.empty() && c.slots.front().first) {
    c.out += c.slots.front().second;
    c.slots.pop_front();
    ++c.firstSlot;
  }
}

bool RconServer::Flush(Connection& c) {
  while (c.Pending() > 0) {
    const long n = Sockets::Send(c.fd, c.out.data() + c.outStart, c.Pending());
    if (n > 0) {
      c.outStart += static_cast<std::size_t>(n);
    } else if (n < 0 && Sockets::WouldBlock()) {
      break;
    } else {
      return false;
    }
  }
  if (c.outStart == c.out.size()) {
    c.out.clear();
    c.outStart = 0;
  } else if (c.outStart > c.out.size() / 2) {
    c.out.erase(0, c.outStart);
    c.outStart = 0;
  }
  return c.Pending() <= options_.maxPendingOutput;
}

void RconServer::Release(Connection& c) {
  c.released = true;
  loggedIn_ -= c.authenticated;
  c.authenticated = false;
  // Replies up to the first command still running or queued go out; what follows is dropped.
  const auto first =
      std::find_if(c.slots.begin(), c.slots.end(), [](const auto& slot) { return !slot.first; });
  if (first != c.slots.end()) c.slots.erase(first + 1, c.slots.end());
  queue_.KeepFirstOnly(c.id);
  // Requests read but never queued are dropped and counted all the same.
  RconPacket packet;
  std::size_t used = 0, unqueued = 0;
  while (ReadRconPacket(c.in.data() + c.inStart, c.Unparsed(), packet, used) == RconRead::Packet) {
    c.inStart += used;
    ++unqueued;
  }
  queue_.CountDropped(unqueued);
  c.in.clear();
  c.inStart = 0;
}

void RconServer::Close(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  loggedIn_ -= found->second->authenticated;
  Sockets::Close(found->second->fd);
  connections_.erase(found);
  queue_.Drop(id);  // nobody is left to read the answers
}
