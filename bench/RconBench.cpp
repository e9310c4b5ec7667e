// Round trips of "day.set N" over RCON on loopback: throughput, median and 99th-percentile latency.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "BenchHost.h"
#include "GameLoop.h"
#include "Rcon.h"
#include "Socket.h"

namespace {

// The server side, started once: RCON listener plus the game thread with the plugin loaded.
int ServerPort() {
  static int port = [] {
    EnsurePluginLoaded();
    static JobQueue queue;
    RconOptions options;
    options.port = 0;
    options.password = "bench";
    static RconServer server(queue, options);
    std::string error;
    if (!server.Start(error)) std::abort();
    std::thread([] { RunGameLoop(queue, LoopOptions{}); }).detach();
    return server.Port();
  }();
  return port;
}

bool ReadExactly(int fd, char* out, std::size_t n) {
  while (n > 0) {
    const ssize_t got = recv(fd, out, n, 0);
    if (got <= 0) return false;
    out += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

// Reads one packet and returns its id.
int32_t ReadPacket(int fd) {
  char header[12];
  if (!ReadExactly(fd, header, 12)) return -2;
  int32_t size, id;
  std::memcpy(&size, header, 4);
  std::memcpy(&id, header + 4, 4);
  std::string rest(static_cast<std::size_t>(size) - 8, '\0');
  ReadExactly(fd, rest.data(), rest.size());
  return id;
}

int Connect(int port) {
  const int fd = Sockets::ConnectLoopback(port);
  if (fd == kNoSocket) std::abort();
  const std::string login = EncodeRconPacket(1, RconType::Auth, "bench");
  send(fd, login.data(), login.size(), 0);
  ReadPacket(fd);
  return fd;
}

void BM_RconDaySetRoundTrip(benchmark::State& state) {
  const int port = ServerPort();
  const int clients = static_cast<int>(state.range(0));
  constexpr int kPerClient = 4000;
  std::vector<double> latencies;
  double seconds = 0;
  for (auto _ : state) {
    std::vector<std::vector<double>> perClient(clients);
    std::vector<int> fds;
    for (int c = 0; c < clients; ++c) fds.push_back(Connect(port));
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
      threads.emplace_back([&, c] {
        for (int i = 0; i < kPerClient; ++i) {
          const std::string packet =
              EncodeRconPacket(i + 2, RconType::ExecCommand, "day.set " + std::to_string(i));
          const auto sent = std::chrono::steady_clock::now();
          send(fds[c], packet.data(), packet.size(), 0);
          ReadPacket(fds[c]);
          perClient[c].push_back(
              std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - sent).count());
        }
      });
    }
    for (auto& t : threads) t.join();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(elapsed);
    seconds += elapsed;
    for (int fd : fds) close(fd);
    for (auto& l : perClient) latencies.insert(latencies.end(), l.begin(), l.end());
  }
  std::sort(latencies.begin(), latencies.end());
  state.counters["commands_per_s"] = static_cast<double>(latencies.size()) / seconds;
  state.counters["p50_us"] = latencies[latencies.size() / 2];
  state.counters["p99_us"] = latencies[latencies.size() * 99 / 100];
}
BENCHMARK(BM_RconDaySetRoundTrip)
    ->Arg(1)
    ->Arg(8)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A flood on one connection: N packets before any login, sent back to back while a second
// thread reads the N failed-login answers. Reports the time per packet, which must not grow
// with N, and how long another admin's login takes meanwhile.
void BM_RconPreLoginFlood(benchmark::State& state) {
  const int port = ServerPort();
  const auto packets = static_cast<std::size_t>(state.range(0));
  std::string flood;
  for (std::size_t i = 0; i < packets; ++i) flood += EncodeRconPacket(7, RconType::ExecCommand, "x");
  double loginMs = 0;
  for (auto _ : state) {
    const int fd = Sockets::ConnectLoopback(port);
    const auto start = std::chrono::steady_clock::now();
    std::thread reader([&] {
      for (std::size_t i = 0; i < packets; ++i)
        if (ReadPacket(fd) != -1) std::abort();
    });
    std::thread writer([&] { Sockets::Send(fd, flood.data(), flood.size()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto loginStart = std::chrono::steady_clock::now();
    close(Connect(port));  // another admin logs in during the flood
    loginMs = std::max(
        loginMs,
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - loginStart).count());
    writer.join();
    reader.join();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    close(fd);
  }
  state.counters["per_packet"] =
      benchmark::Counter(static_cast<double>(packets),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["other_login_ms"] = loginMs;
}
BENCHMARK(BM_RconPreLoginFlood)
    ->Arg(25000)
    ->Arg(200000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
