// Interposes clock_gettime so that the plugin's system clock reads the time a test sets.
//
// The plugin calls std::chrono::system_clock::now(), which reaches clock_gettime in the C
// library; the test program defines that symbol first, so it answers in its place.
#include "FakeClock.h"

#include <time.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

#if defined(_WIN32)
#include <windows.h>

// The plugin links its C++ runtime statically, which reads the wall clock through kernel32's
// GetSystemTimePreciseAsFileTime (or GetSystemTimeAsFileTime). Both are replaced in this
// process by a jump to a stand-in that answers the fake time while one is set.
namespace {

using NtQuerySystemTimeFn = LONG(WINAPI*)(LARGE_INTEGER*);
NtQuerySystemTimeFn realSystemTime = nullptr;

void WINAPI FakeSystemTime(FILETIME* out) {
  LARGE_INTEGER ticks;
  if (faking.load()) {
    // FILETIME counts 100 ns from 1601-01-01; the Unix epoch is 11644473600 s later.
    ticks.QuadPart = fakeNanoseconds.load() / 100 + 116444736000000000LL;
  } else {
    realSystemTime(&ticks);
  }
  out->dwLowDateTime = static_cast<DWORD>(ticks.QuadPart);
  out->dwHighDateTime = static_cast<DWORD>(ticks.QuadPart >> 32);
}

bool Redirect(void* function) {
  if (function == nullptr) return false;
  // mov rax, imm64; jmp rax
  unsigned char stub[12] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  const auto target = reinterpret_cast<uint64_t>(&FakeSystemTime);
  std::memcpy(stub + 2, &target, sizeof target);
  DWORD old = 0;
  if (!VirtualProtect(function, sizeof stub, PAGE_EXECUTE_READWRITE, &old)) return false;
  std::memcpy(function, stub, sizeof stub);
  VirtualProtect(function, sizeof stub, old, &old);
  FlushInstructionCache(GetCurrentProcess(), function, sizeof stub);
  return true;
}

bool InstallOnce() {
  static const bool installed = [] {
    realSystemTime = reinterpret_cast<NtQuerySystemTimeFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemTime")));
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    auto address = [&](const char* name) {
      return reinterpret_cast<void*>(GetProcAddress(kernel32, name));
    };
    return realSystemTime != nullptr && Redirect(address("GetSystemTimePreciseAsFileTime")) &&
           Redirect(address("GetSystemTimeAsFileTime"));
  }();
  return installed;
}

}  // namespace

bool morrowset::test::FakeClock::Available() { return InstallOnce(); }
#else
bool morrowset::test::FakeClock::Available() { return true; }
#endif

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
