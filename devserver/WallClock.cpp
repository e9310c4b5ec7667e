// The development server's wall clock, answering the process's system clock in its place.
//
// Linux: the program defines clock_gettime, so the C++ runtime's system_clock, in the plugin as
// everywhere in the process, reaches this one first. Windows: the C++ runtime reads kernel32's
// GetSystemTimePreciseAsFileTime or GetSystemTimeAsFileTime; both are patched in this process
// with a jump to a function that answers the clock.
#include "WallClock.h"

#include <time.h>

#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

enum Mode : int { kReal, kRunning, kStopped };

// Written by the game thread only; read by any thread that asks for the time. Each mode has its
// own value, written before the mode that reads it.
std::atomic<int> mode{kReal};
std::atomic<int64_t> stoppedNs{0};  // the time it stands at (ns since the epoch)
// How far it runs ahead of the machine's clock, so that a step of the machine's clock (a time
// sync, an admin setting it) moves it too.
std::atomic<int64_t> aheadNs{0};

int64_t RealNowNs();
int64_t NowNs();

}  // namespace

#if !defined(_WIN32)
namespace {

using ClockGetTime = int (*)(clockid_t, struct timespec*);

ClockGetTime RealClockGetTime() {
  static const auto real = reinterpret_cast<ClockGetTime>(dlsym(RTLD_NEXT, "clock_gettime"));
  return real;
}

int64_t RealNowNs() {
  struct timespec now {};
  RealClockGetTime()(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, struct timespec* out) {
  if (clock != CLOCK_REALTIME || mode.load(std::memory_order_relaxed) == kReal)
    return RealClockGetTime()(clock, out);
  const int64_t ns = NowNs();
  int64_t seconds = ns / 1000000000;
  int64_t rest = ns % 1000000000;
  if (rest < 0) {
    rest += 1000000000;
    --seconds;
  }
  out->tv_sec = static_cast<time_t>(seconds);
  out->tv_nsec = static_cast<long>(rest);
  return 0;
}

bool WallClock::Available() { return RealClockGetTime() != nullptr; }

#else
namespace {

using NtQuerySystemTimeFn = LONG(WINAPI*)(LARGE_INTEGER*);
NtQuerySystemTimeFn realSystemTime = nullptr;
// FILETIME counts 100 ns from 1601-01-01; the Unix epoch is 11644473600 s later.
constexpr int64_t kEpochTicks = 116444736000000000LL;

int64_t RealNowNs() {
  LARGE_INTEGER ticks;
  if (realSystemTime != nullptr) {
    realSystemTime(&ticks);
  } else {  // not installed: kernel32's functions are still the real ones
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ticks.QuadPart = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  }
  return (ticks.QuadPart - kEpochTicks) * 100;
}

void WINAPI ClockSystemTime(FILETIME* out) {
  const int64_t ticks = NowNs() / 100 + kEpochTicks;
  out->dwLowDateTime = static_cast<DWORD>(ticks);
  out->dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
}

// Overwrites the start of function with a jump to ClockSystemTime.
bool Redirect(void* function) {
  if (function == nullptr) return false;
  // mov rax, imm64; jmp rax
  unsigned char stub[12] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  const auto target = reinterpret_cast<uint64_t>(&ClockSystemTime);
  std::memcpy(stub + 2, &target, sizeof target);
  DWORD old = 0;
  if (!VirtualProtect(function, sizeof stub, PAGE_EXECUTE_READWRITE, &old)) return false;
  std::memcpy(function, stub, sizeof stub);
  VirtualProtect(function, sizeof stub, old, &old);
  FlushInstructionCache(GetCurrentProcess(), function, sizeof stub);
  return true;
}

}  // namespace

bool WallClock::Available() {
  static const bool installed = [] {
    realSystemTime = reinterpret_cast<NtQuerySystemTimeFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemTime")));
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    auto address = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(kernel32, name)); };
    return realSystemTime != nullptr && Redirect(address("GetSystemTimePreciseAsFileTime")) &&
           Redirect(address("GetSystemTimeAsFileTime"));
  }();
  return installed;
}
#endif

namespace {

int64_t NowNs() {
  switch (mode.load(std::memory_order_acquire)) {
    case kStopped:
      return stoppedNs.load(std::memory_order_relaxed);
    case kRunning:
      return RealNowNs() + aheadNs.load(std::memory_order_relaxed);
    default:
      return RealNowNs();
  }
}

}  // namespace

#if !defined(_WIN32)
namespace {

// Returns whether a POSIX TZ string names a daylight-saving zone after its standard name and
// offset. A name is letters, or anything between < and > ("<+0545>", "<-03>").
bool HasDaylightName(const std::string& zone) {
  std::size_t i = 0;
  if (i < zone.size() && zone[i] == '<') {
    i = zone.find('>', i);
    if (i == std::string::npos) return false;  // the C library reads no name there either
    ++i;
  } else {
    while (i < zone.size() && std::isalpha(static_cast<unsigned char>(zone[i]))) ++i;
  }
  i = zone.find_first_not_of("0123456789:+-", i);
  return i != std::string::npos;
}

}  // namespace
#endif

namespace WallClock {

Time Now() { return Time(std::chrono::duration_cast<Time::duration>(std::chrono::nanoseconds(NowNs()))); }

void Set(Time t, bool running) {
  const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
  (running ? aheadNs : stoppedNs).store(running ? ns - RealNowNs() : ns, std::memory_order_relaxed);
  mode.store(running ? kRunning : kStopped, std::memory_order_release);
}

void Advance(std::chrono::nanoseconds d) {
  Set(Now() + std::chrono::duration_cast<Time::duration>(d), Running());
}

bool Running() { return mode.load(std::memory_order_relaxed) != kStopped; }

void UseRealTime() { mode.store(kReal, std::memory_order_relaxed); }

bool SetZone(const std::string& zone, std::string& why) {
  if (zone.empty()) {
    why = "empty time zone";
    return false;
  }
#if defined(_WIN32)
  // The C runtime reads "NAME[+|-]H[:MM[:SS]][DST]": hours west of UTC, daylight saving by the
  // United States' rules. Anything else it silently takes as UTC, so it is refused here.
  std::size_t i = 0;
  auto letters = [&] {
    const std::size_t from = i;
    while (i < zone.size() && std::isalpha(static_cast<unsigned char>(zone[i]))) ++i;
    return i - from;
  };
  auto digits = [&](std::size_t most) {
    const std::size_t from = i;
    while (i < zone.size() && i - from < most && std::isdigit(static_cast<unsigned char>(zone[i]))) ++i;
    return i - from;
  };
  bool valid = letters() >= 3;
  if (valid && i < zone.size() && (zone[i] == '+' || zone[i] == '-')) ++i;
  valid = valid && digits(2) >= 1;
  for (int part = 0; valid && part < 2 && i < zone.size() && zone[i] == ':'; ++part) {
    ++i;
    valid = digits(2) == 2;
  }
  if (valid && i < zone.size()) valid = letters() >= 3 && i == zone.size();
  if (!valid) {
    why = "not a time zone the Windows C runtime reads (NAME[+|-]H[:MM][DST], e.g. CET-1CEST): " + zone;
    return false;
  }
  _putenv_s("TZ", zone.c_str());
  _tzset();
#else
  // A POSIX TZ string carries an offset (a digit); anything else names a file of the zone
  // database, which the C library would silently replace by UTC when it is missing.
  const char* dir = std::getenv("TZDIR");
  const std::string database = dir ? dir : "/usr/share/zoneinfo";
  std::error_code error;
  const bool posix = zone.find_first_of("0123456789") != std::string::npos;
  if (posix && zone.find_first_of("/,") == std::string::npos &&
      !std::filesystem::is_regular_file(database + "/" + zone, error)) {
    // A daylight-saving name after the offset but no dates for it (and no zone file of that name,
    // as EST5EDT has): the C library would apply the United States' dates, whatever the zone is.
    if (HasDaylightName(zone)) {
      why =
          "daylight saving without its dates, for which the C library would take the United "
          "States' ones: give them, as in CET-1CEST,M3.5.0,M10.5.0/3: " +
          zone;
      return false;
    }
  }
  if (!posix) {
    const std::string name = zone[0] == ':' ? zone.substr(1) : zone;
    if (!std::filesystem::is_regular_file(database + "/" + name, error)) {
      why = "unknown time zone (not in the zone database): " + zone;
      return false;
    }
  }
  setenv("TZ", zone.c_str(), 1);
  tzset();
#endif
  return true;
}

Time Utc(int year, int month, int day, int hour, int minute, int second) {
  // Days from the civil date (proleptic Gregorian), as in Howard Hinnant's algorithm.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = era * 146097LL + static_cast<long long>(doe) - 719468;
  return Time(std::chrono::seconds(days * 86400 + hour * 3600 + minute * 60 + second));
}

bool ParseCivil(const std::string& text, Civil& out) {
  Civil c;
  int used = 0;
  const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%n:%2d%n", &c.year, &c.month, &c.day,
                                 &c.hour, &c.minute, &used, &c.second, &used);
  if (fields < 5 || used != static_cast<int>(text.size()) ||
      !std::isdigit(static_cast<unsigned char>(text[0])))
    return false;
  if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 || c.second > 59)
    return false;
  // A date that a calendar would move on (30 February to 2 March) does not exist.
  static const int kDaysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (c.month < 1 || c.month > 12 || c.day < 1) return false;
  const bool leap = (c.year % 4 == 0 && c.year % 100 != 0) || c.year % 400 == 0;
  if (c.day > kDaysIn[c.month - 1] + (c.month == 2 && leap)) return false;
  out = c;
  return true;
}

bool ParseLocal(const std::string& text, Time& out) {
  Civil c;
  if (!ParseCivil(text, c)) return false;
  std::tm local{};
  local.tm_year = c.year - 1900;
  local.tm_mon = c.month - 1;
  local.tm_mday = c.day;
  local.tm_hour = c.hour;
  local.tm_min = c.minute;
  local.tm_sec = c.second;
  local.tm_isdst = -1;  // the zone decides, as it does for the time printed back
  const std::time_t t = std::mktime(&local);
  if (t == static_cast<std::time_t>(-1)) return false;
  out = std::chrono::system_clock::from_time_t(t);
  return true;
}

bool ParseDuration(const std::string& text, std::chrono::seconds& out) {
  // One or more parts, each a number and a unit: 90s, 2h30m, 1d.
  long long total = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    long long number = 0;
    const std::size_t from = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - from < 9)
      number = number * 10 + (text[i++] - '0');
    if (i == from || i == text.size()) return false;
    switch (text[i++]) {
      case 's':
        total += number;
        break;
      case 'm':
        total += number * 60;
        break;
      case 'h':
        total += number * 3600;
        break;
      case 'd':
        total += number * 86400;
        break;
      default:
        return false;
    }
  }
  if (text.empty() || total > 3660LL * 86400) return false;  // up to ten years
  out = std::chrono::seconds(total);
  return true;
}

}  // namespace WallClock
