// A wall clock the tests set: replaces the C library's CLOCK_REALTIME for the whole process.
#pragma once

#include <chrono>

namespace morrowset::test::FakeClock {

using Time = std::chrono::system_clock::time_point;

// Returns whether this platform lets a test replace the plugin's wall clock.
bool Available();

// Makes the system clock read t until changed; the steady clock keeps running for real.
void Set(Time t);
// Moves the fake system clock by d (negative moves it back).
void Advance(std::chrono::nanoseconds d);
// Returns the system clock to the real time.
void Off();

// Returns the UTC time of a calendar date and time of day.
Time Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Sets the process time zone (a POSIX TZ string, such as "UTC0" or "JST-9").
void SetZone(const char* tz);

}  // namespace morrowset::test::FakeClock
