// Interposes clock_gettime so that the plugin's system clock reads the time a test sets.
//
// The plugin calls std::chrono::system_clock::now(), which reaches clock_gettime in the C
// library; the test program defines that symbol first, so it answers in its place.
#include "FakeClock.h"

#include <time.h>

#include <atomic>
#include <cstdlib>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace {

std::atomic<bool> faking{false};
std::atomic<long long> fakeNanoseconds{0};

}  // namespace

#if !defined(_WIN32)
extern "C" int clock_gettime(clockid_t clock, struct timespec* out) {
  if (clock == CLOCK_REALTIME && faking.load()) {
    const long long ns = fakeNanoseconds.load();
    long long seconds = ns / 1000000000;
    long long rest = ns % 1000000000;
    if (rest < 0) {
      rest += 1000000000;
      --seconds;
    }
    out->tv_sec = static_cast<time_t>(seconds);
    out->tv_nsec = static_cast<long>(rest);
    return 0;
  }
  using Real = int (*)(clockid_t, struct timespec*);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "clock_gettime"));
  return real(clock, out);
}
#endif

bool morrowset::test::FakeClock::Available() {
#if defined(_WIN32)
  return false;  // the plugin's C++ runtime is linked into it: its clock cannot be replaced
#else
  return true;
#endif
}

namespace morrowset::test::FakeClock {

void Set(Time t) {
  fakeNanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
  faking = true;
}

void Advance(std::chrono::nanoseconds d) { fakeNanoseconds += d.count(); }

void Off() { faking = false; }

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

void SetZone(const char* tz) {
#if defined(_WIN32)
  _putenv_s("TZ", tz);
  _tzset();
#else
  setenv("TZ", tz, 1);
  tzset();
#endif
}

}  // namespace morrowset::test::FakeClock
