// The development server's wall clock: running, standing or real, and the grammar of its times.
#include "WallClock.h"

#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <utility>
#include <string>

#include "WallClockPlatform.h"

namespace {

enum Mode : int { kReal, kRunning, kStopped };

// Written by the game thread only; read by any thread that asks for the time. Each mode has its
// own value, written before the mode that reads it.
std::atomic<int> mode{kReal};
std::atomic<int64_t> stoppedNs{0};  // the time it stands at (ns since the epoch)
// How far it runs ahead of the machine's clock, so that a step of the machine's clock (a time
// sync, an admin setting it) moves it too.
std::atomic<int64_t> aheadNs{0};

}  // namespace

namespace WallClock {

using Platform::RealNowNs;

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

bool IsReal() { return mode.load(std::memory_order_relaxed) == kReal; }

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
  return Platform::SetZone(zone, why);
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

std::tm LocalTm(Time t) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

namespace {

// Returns the machine's local time at an instant, read as if it were UTC: its offset is the
// difference.
Time LocalAsUtc(Time t) {
  const std::tm local = LocalTm(t);
  return Utc(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
             local.tm_sec);
}

}  // namespace

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
  const Time wanted = Utc(c.year, c.month, c.day, c.hour, c.minute, c.second);
  if (LocalAsUtc(out) == wanted) return true;
  // A time the zone skips: read with the offset in force before the gap, so that it moves on by
  // the gap (02:30 is 03:30), whichever way the C library moved it (Casablanca's, back).
  const Time dayBefore = wanted - std::chrono::hours(24);
  out = wanted - (LocalAsUtc(dayBefore) - dayBefore);
  return true;
}

}  // namespace WallClock
