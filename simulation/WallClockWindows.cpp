// The wall clock on Windows: the C++ runtime reads kernel32's GetSystemTimePreciseAsFileTime or
// GetSystemTimeAsFileTime; both are patched in this process with a jump to a function that
// answers the server's clock. Zones are the C runtime's TZ.
#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "WallClock.h"
#include "WallClockPlatform.h"

namespace {

using NtQuerySystemTimeFn = LONG(WINAPI*)(LARGE_INTEGER*);
NtQuerySystemTimeFn realSystemTime = nullptr;
// FILETIME counts 100 ns from 1601-01-01; the Unix epoch is 11644473600 s later.
constexpr int64_t kEpochTicks = 116444736000000000LL;

}  // namespace

int64_t WallClock::Platform::RealNowNs() {
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

namespace {

void WINAPI ClockSystemTime(FILETIME* out) {
  const int64_t ticks = WallClock::NowNs() / 100 + kEpochTicks;
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

bool WallClock::Platform::SetZone(const std::string& zone, std::string& why) {
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
  return true;
}
