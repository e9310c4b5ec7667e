// The Source RCON protocol on a poll loop: packets in, command lines to the game thread, replies out.
#include "Rcon.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kMinSize = 10;
constexpr int32_t kMaxSize = 4096;
constexpr std::size_t kMaxBody = kMaxSize - 10;

void PutInt32(std::string& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xff);
}

int32_t GetInt32(const char* p) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
  return static_cast<int32_t>(v);
}

using Clock = std::chrono::steady_clock;

}  // namespace

std::string EncodeRconPacket(int32_t id, int32_t type, const std::string& body) {
  std::string packet;
  PutInt32(packet, static_cast<int32_t>(body.size() + 10));
  PutInt32(packet, id);
  PutInt32(packet, type);
  packet += body;
  packet.append(2, '\0');
  return packet;
}

bool SecretsEqual(const std::string& a, const std::string& b) {
  unsigned char diff = a.size() == b.size() ? 0 : 1;
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    diff |= x ^ y;
  }
  return diff == 0;
}

struct RconServer::Connection {
  uint64_t id = 0;
  SocketHandle fd = kNoSocket;
  std::string in;
  std::string out;
  bool authenticated = false;
  int failedLogins = 0;
  bool closeAfterFlush = false;
  Clock::time_point connectedAt;
  Clock::time_point lastActivity;
};

RconServer::RconServer(JobQueue& queue, RconOptions options)
    : queue_(queue), options_(std::move(options)) {}

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
      listen(listener_, 64) != 0) {
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
  Sockets::Close(listener_);
  listener_ = kNoSocket;
  Sockets::CloseWakePair(wake_);
}

void RconServer::Wake() {
  if (wake_.write != kNoSocket) Sockets::Wake(wake_);
}

void RconServer::Post(uint64_t connection, std::string bytes) {
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_[connection] += bytes;
  }
  Wake();
}

void RconServer::Run() {
  std::vector<pollfd_t> fds;
  std::vector<uint64_t> ids;
  while (!stopping_) {
    fds.clear();
    ids.clear();
    fds.push_back({wake_.read, POLLIN, 0});
    fds.push_back({listener_, POLLIN, 0});  // beyond the cap, accepted and closed at once
    for (auto& [id, c] : connections_) {
      fds.push_back({c->fd, static_cast<short>(POLLIN | (c->out.empty() ? 0 : POLLOUT)), 0});
      ids.push_back(id);
    }
    Sockets::Poll(fds.data(), fds.size(), 200);

    if (fds[0].revents & POLLIN) Sockets::DrainWake(wake_);
    std::map<uint64_t, std::string> posted;
    {
      std::lock_guard<std::mutex> lock(postedMutex_);
      posted.swap(posted_);
    }
    for (auto& [id, bytes] : posted) {
      const auto found = connections_.find(id);
      if (found != connections_.end()) Send(*found->second, bytes);  // else: client gone
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const auto found = connections_.find(ids[i]);
      if (found == connections_.end()) continue;
      Connection& c = *found->second;
      const short events = fds[i + 2].revents;
      if ((events & POLLOUT) && !Flush(c)) {
        Close(ids[i]);
        continue;
      }
      if (events & (POLLIN | POLLHUP | POLLERR)) ReadFrom(c);
    }
    if (fds[1].revents & POLLIN) Accept();

    // Deadlines, and connections that finished their last write.
    const auto now = Clock::now();
    std::vector<uint64_t> expired;
    for (auto& [id, c] : connections_) {
      const bool loginLate = !c->authenticated && now - c->connectedAt > options_.loginTimeout;
      const bool idle = now - c->lastActivity > options_.idleTimeout;
      if (loginLate || idle || (c->closeAfterFlush && c->out.empty())) expired.push_back(id);
    }
    for (uint64_t id : expired) Close(id);
  }
}

void RconServer::Accept() {
  for (;;) {
    const SocketHandle fd = Sockets::Accept(listener_);
    if (fd == kNoSocket) return;
    if (static_cast<int>(connections_.size()) >= options_.maxClients) {
      Sockets::Close(fd);
      continue;
    }
    Sockets::SetNoDelay(fd);
    auto c = std::make_unique<Connection>();
    c->id = nextId_++;
    c->fd = fd;
    c->connectedAt = c->lastActivity = Clock::now();
    connections_[c->id] = std::move(c);
  }
}

void RconServer::ReadFrom(Connection& c) {
  const uint64_t id = c.id;
  char buffer[8192];
  for (;;) {
    const long n = Sockets::Receive(c.fd, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && !Sockets::WouldBlock())) {
      Close(id);
      return;
    }
    if (n < 0) break;
    c.in.append(buffer, static_cast<std::size_t>(n));
    c.lastActivity = Clock::now();
  }
  while (c.in.size() >= 4 && !c.closeAfterFlush) {
    const int32_t size = GetInt32(c.in.data());
    if (size < kMinSize || size > kMaxSize) {
      Close(id);
      return;
    }
    if (c.in.size() < 4 + static_cast<std::size_t>(size)) break;
    const int32_t packetId = GetInt32(c.in.data() + 4);
    const int32_t type = GetInt32(c.in.data() + 8);
    // The body runs to its first NUL; the rest is the empty second string.
    const char* body = c.in.data() + 12;
    const std::size_t bodyLength = strnlen(body, static_cast<std::size_t>(size) - 8);
    const std::string text(body, bodyLength);
    c.in.erase(0, 4 + static_cast<std::size_t>(size));
    HandlePacket(c, packetId, type, text);
    if (connections_.find(id) == connections_.end()) return;
  }
}

void RconServer::HandlePacket(Connection& c, int32_t id, int32_t type, const std::string& body) {
  if (type == RconType::Auth) {
    const bool ok = !options_.password.empty() && SecretsEqual(body, options_.password);
    if (options_.valveAuthPrelude) Send(c, EncodeRconPacket(id, RconType::ResponseValue, ""));
    Send(c, EncodeRconPacket(ok ? id : -1, RconType::AuthResponse, ""));
    c.authenticated = ok;
    if (!ok && ++c.failedLogins >= options_.maxFailedLogins) c.closeAfterFlush = true;
    return;
  }
  if (!c.authenticated) {
    Send(c, EncodeRconPacket(-1, RconType::AuthResponse, ""));
    return;
  }
  if (type == RconType::ExecCommand) {
    QueueCommand(c, id, body, false);
  } else if (type == RconType::ResponseValue && body.empty()) {
    QueueCommand(c, id, "", true);  // through the game thread, so it follows earlier replies
  }
  // Other packet types carry nothing a server acts on.
}

void RconServer::QueueCommand(Connection& c, int32_t id, const std::string& line, bool mirror) {
  const uint64_t connection = c.id;
  Job job;
  job.source = Source::Rcon;
  job.line = mirror ? "" : line;
  job.id = id;
  job.reply = [this, connection, id, mirror](const std::string& text) {
    std::string bytes;
    if (mirror) {
      bytes = EncodeRconPacket(id, RconType::ResponseValue, "");
      bytes += EncodeRconPacket(id, RconType::ResponseValue, std::string("\0\1\0\0", 4));
    } else {
      std::size_t at = 0;
      do {
        bytes += EncodeRconPacket(id, RconType::ResponseValue, text.substr(at, kMaxBody));
        at += kMaxBody;
      } while (at < text.size());
    }
    Post(connection, std::move(bytes));
  };
  queue_.Push(std::move(job));
}

void RconServer::Send(Connection& c, const std::string& bytes) {
  c.out += bytes;
  if (!Flush(c)) Close(c.id);
}

bool RconServer::Flush(Connection& c) {
  while (!c.out.empty()) {
    const long n = Sockets::Send(c.fd, c.out.data(), c.out.size());
    if (n > 0) {
      c.out.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && Sockets::WouldBlock()) {
      return c.out.size() <= options_.maxPendingOutput;
    } else {
      return false;
    }
  }
  return true;
}

void RconServer::Close(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  Sockets::Close(found->second->fd);
  connections_.erase(found);
}
