// The few socket calls the RCON listener and its tests need, on POSIX and on Winsock.
#include "Socket.h"

#include <cerrno>
#include <cstring>

#if !defined(_WIN32)
#include <fcntl.h>
#endif

namespace Sockets {

void Init() {
#if defined(_WIN32)
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
#endif
}

SocketHandle Tcp() {
  Init();
  return socket(AF_INET, SOCK_STREAM, 0);
}

void Close(SocketHandle s) {
  if (s == kNoSocket) return;
#if defined(_WIN32)
  closesocket(s);
#else
  close(s);
#endif
}

void SetNonBlocking(SocketHandle s) {
#if defined(_WIN32)
  u_long on = 1;
  ioctlsocket(s, FIONBIO, &on);
#else
  fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);
  fcntl(s, F_SETFD, FD_CLOEXEC);
#endif
}

void SetNoDelay(SocketHandle s) {
  const int yes = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&yes), sizeof yes);
}

SocketHandle Accept(SocketHandle listener) {
  const SocketHandle s = accept(listener, nullptr, nullptr);
  if (s != kNoSocket) SetNonBlocking(s);
  return s;
}

long Send(SocketHandle s, const char* data, std::size_t size) {
#if defined(_WIN32)
  return send(s, data, static_cast<int>(size), 0);
#else
  return static_cast<long>(send(s, data, size, MSG_NOSIGNAL));
#endif
}

long Receive(SocketHandle s, char* data, std::size_t size) {
#if defined(_WIN32)
  return recv(s, data, static_cast<int>(size), 0);
#else
  return static_cast<long>(recv(s, data, size, 0));
#endif
}

int Poll(pollfd_t* fds, std::size_t count, int timeoutMs) {
#if defined(_WIN32)
  return WSAPoll(fds, static_cast<ULONG>(count), timeoutMs);
#else
  return poll(fds, count, timeoutMs);
#endif
}

bool WouldBlock() {
#if defined(_WIN32)
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK || error == WSAEINTR;
#else
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
#endif
}

std::string LastError() {
#if defined(_WIN32)
  return "socket error " + std::to_string(WSAGetLastError());
#else
  return std::strerror(errno);
#endif
}

SocketHandle ConnectLoopback(int port) {
  const SocketHandle s = Tcp();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    Close(s);
    return kNoSocket;
  }
  SetNoDelay(s);
  return s;
}

bool OpenWakePair(WakePair& pair) {
#if defined(_WIN32)
  // Winsock polls only sockets: a UDP socket on loopback that sends to itself.
  Init();
  const SocketHandle s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (s == kNoSocket || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    Close(s);
    return false;
  }
  SetNonBlocking(s);
  pair.read = pair.write = s;
  return true;
#else
  int ends[2];
  if (pipe(ends) != 0) return false;
  SetNonBlocking(ends[0]);
  SetNonBlocking(ends[1]);
  pair.read = ends[0];
  pair.write = ends[1];
  return true;
#endif
}

void Wake(const WakePair& pair) {
  const char byte = 1;
#if defined(_WIN32)
  send(pair.write, &byte, 1, 0);
#else
  (void)!write(pair.write, &byte, 1);
#endif
}

void DrainWake(const WakePair& pair) {
  char buffer[256];
#if defined(_WIN32)
  while (recv(pair.read, buffer, sizeof buffer, 0) > 0) {
  }
#else
  while (read(pair.read, buffer, sizeof buffer) > 0) {
  }
#endif
}

void CloseWakePair(WakePair& pair) {
#if defined(_WIN32)
  Close(pair.read);
#else
  if (pair.read != kNoSocket) close(pair.read);
  if (pair.write != kNoSocket) close(pair.write);
#endif
  pair = {};
}

}  // namespace Sockets
