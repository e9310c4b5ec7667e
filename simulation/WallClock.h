// The development server's wall clock: the time of day that the plugin, the game and the host read.
//
// Once installed, it answers the process's system clock (clock_gettime for CLOCK_REALTIME on
// Linux; on Windows the time functions the program's own modules import, redirected in their
// import tables, no code written), so the plugin's unchanged code reads it.
// It reads the machine's time until set; set, it either runs with the machine's clock, as far
// ahead or behind as it was set (a step of the machine's clock moves it too), or stands still
// until moved. Only the game thread sets or moves it.
#pragma once

#include <chrono>
#include <ctime>
#include <cstdint>
#include <string>

namespace WallClock {

using Time = std::chrono::system_clock::time_point;

// Returns whether this clock answers the process's system clock, taking the system clock over
// first where that needs doing (Windows; on Linux the program's own clock_gettime already does).
bool Available();

// Returns the clock's present time.
Time Now();
// Sets the clock to t; running, it goes on with the machine's clock from t, otherwise it stays at t.
void Set(Time t, bool running);
// Moves the clock by d (negative moves it back), running or not.
void Advance(std::chrono::nanoseconds d);
// Returns whether the clock goes on by itself (real time, or set and running).
bool Running();
// Returns the clock to the real time.
void UseRealTime();
// Returns the clock's present time in nanoseconds since the epoch, and whether it is the real time:
// for the platform parts that answer the process's system clock with it.
int64_t NowNs();
bool IsReal();

// Sets the process's time zone: an IANA name (Europe/Berlin) or a POSIX TZ string (JST-9) on
// Linux; the C runtime's form (CET-1CEST: name, hours west of UTC, daylight name) on Windows.
// Returns false, with the reason in why, for a zone this platform does not know.
bool SetZone(const std::string& zone, std::string& why);

// The years the clock can show: the policies' first call acts from 1970 on, and the C++ system
// clock counts nanoseconds only up to April 2262.
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2261;

// Returns the UTC time of a calendar date and time of day.
Time Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// Returns the last time the clock can show: the end of kLastYear in UTC, whatever the zone.
inline Time Last() { return Utc(kLastYear + 1, 1, 1) - std::chrono::seconds(1); }

// A local date and time of day as an admin writes it.
struct Civil {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// Parses "YYYY-MM-DD HH:MM[:SS]", nothing before or after it, into a date that exists (no
// 30 February) and a time of day from 00:00:00 to 23:59:59.
bool ParseCivil(const std::string& text, Civil& out);
// Parses "YYYY-MM-DD HH:MM[:SS]" as a local time in the process's zone.
bool ParseLocal(const std::string& text, Time& out);
// Returns the machine's local time at an instant, as the C library reads its zone.
std::tm LocalTm(Time t);

}  // namespace WallClock
