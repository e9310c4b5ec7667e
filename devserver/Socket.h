// The few socket calls the RCON listener and its tests need, on POSIX and on Winsock.
#pragma once

#include <cstddef>
#include <string>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketHandle = SOCKET;
constexpr SocketHandle kNoSocket = INVALID_SOCKET;
using pollfd_t = WSAPOLLFD;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketHandle = int;
constexpr SocketHandle kNoSocket = -1;
using pollfd_t = pollfd;
#endif

namespace Sockets {

// The poll event of a peer that closed its sending side, where the platform has one (Linux);
// elsewhere 0, and the close is seen when the socket is next read.
#if defined(POLLRDHUP)
constexpr short kPeerClosed = POLLRDHUP;
#else
constexpr short kPeerClosed = 0;
#endif

// Starts the socket library once per process (Winsock); nothing on POSIX.
void Init();
// Opens a TCP socket.
SocketHandle Tcp();
void Close(SocketHandle s);
void SetNonBlocking(SocketHandle s);
void SetNoDelay(SocketHandle s);
// Accepts one pending connection, non-blocking; kNoSocket when none is waiting.
SocketHandle Accept(SocketHandle listener);
// Sends without raising SIGPIPE; returns bytes sent, or -1.
long Send(SocketHandle s, const char* data, std::size_t size);
// Receives; returns bytes read, 0 at end of stream, or -1.
long Receive(SocketHandle s, char* data, std::size_t size);
// Waits for events on the sockets, up to timeoutMs; returns poll's result.
int Poll(pollfd_t* fds, std::size_t count, int timeoutMs);
// Whether the last failed call would only have blocked (or was interrupted).
bool WouldBlock();
// Returns the text of the last socket error.
std::string LastError();
// Connects a blocking TCP socket to 127.0.0.1:port; kNoSocket on failure.
SocketHandle ConnectLoopback(int port);

// A pair of handles for waking a poll loop from another thread.
struct WakePair {
  SocketHandle read = kNoSocket;
  SocketHandle write = kNoSocket;
};
bool OpenWakePair(WakePair& pair);
void Wake(const WakePair& pair);
void DrainWake(const WakePair& pair);
void CloseWakePair(WakePair& pair);

}  // namespace Sockets
