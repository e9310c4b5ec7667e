// The wall clock on Windows: the time functions that the program, the stand-in and the plugin
// import (kernel32's system time, the C runtime's time, the C++ library's ticks) are redirected in
// their import address tables to functions that answer the server's clock. Only those modules'
// import tables change, data pages all: no code is written, no system module is touched, and a
// module loaded later is redirected as it loads. Zones are the C runtime's TZ.
#include <windows.h>
// psapi.h takes its types from windows.h
#include <psapi.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwctype>
#include <string>
#include <type_traits>

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
  } else {  // not installed: the import tables still hold kernel32's functions
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

int64_t Seconds() {
  const int64_t ns = WallClock::NowNs();
  return ns >= 0 ? ns / 1000000000 : -((-ns + 999999999) / 1000000000);
}

__time64_t __cdecl ClockTime64(__time64_t* out) {
  const __time64_t now = Seconds();
  if (out) *out = now;
  return now;
}

__time32_t __cdecl ClockTime32(__time32_t* out) {
  const auto now = static_cast<__time32_t>(Seconds());
  if (out) *out = now;
  return now;
}

int __cdecl ClockTimespec64(_timespec64* out, int base) {
  if (out == nullptr || base != TIME_UTC) return 0;
  const int64_t ns = WallClock::NowNs();
  out->tv_sec = Seconds();
  out->tv_nsec = static_cast<long>(ns - out->tv_sec * 1000000000);
  return base;
}

// The C++ library's clock: 100 ns since 1970.
long long __cdecl ClockTicks() { return WallClock::NowNs() / 100; }

// kernel32's own functions, taken before any import table of this program is redirected: the
// replacements below call these, never their own redirected imports.
decltype(&GetProcAddress) realGetProcAddress = nullptr;
decltype(&LoadLibraryA) realLoadLibraryA = nullptr;
decltype(&LoadLibraryW) realLoadLibraryW = nullptr;
decltype(&LoadLibraryExA) realLoadLibraryExA = nullptr;
decltype(&LoadLibraryExW) realLoadLibraryExW = nullptr;

FARPROC WINAPI ClockGetProcAddress(HMODULE module, LPCSTR name);
HMODULE WINAPI ClockLoadLibraryA(LPCSTR name);
HMODULE WINAPI ClockLoadLibraryW(LPCWSTR name);
HMODULE WINAPI ClockLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags);
HMODULE WINAPI ClockLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags);

// An import that is redirected: its name in any DLL's export table, and what answers in its place.
struct Redirection {
  const char* name;
  void* to;
};
const Redirection kRedirections[] = {
    {"GetSystemTimeAsFileTime", reinterpret_cast<void*>(&ClockSystemTime)},
    {"GetSystemTimePreciseAsFileTime", reinterpret_cast<void*>(&ClockSystemTime)},
    {"_time64", reinterpret_cast<void*>(&ClockTime64)},
    {"_time32", reinterpret_cast<void*>(&ClockTime32)},
    {"_timespec64_get", reinterpret_cast<void*>(&ClockTimespec64)},
    {"_Xtime_get_ticks", reinterpret_cast<void*>(&ClockTicks)},
    {"GetProcAddress", reinterpret_cast<void*>(&ClockGetProcAddress)},
    {"LoadLibraryA", reinterpret_cast<void*>(&ClockLoadLibraryA)},
    {"LoadLibraryW", reinterpret_cast<void*>(&ClockLoadLibraryW)},
    {"LoadLibraryExA", reinterpret_cast<void*>(&ClockLoadLibraryExA)},
    {"LoadLibraryExW", reinterpret_cast<void*>(&ClockLoadLibraryExW)},
};

const Redirection* RedirectionOf(const char* name) {
  for (const Redirection& redirection : kRedirections)
    if (std::strcmp(redirection.name, name) == 0) return &redirection;
  return nullptr;
}

FARPROC WINAPI ClockGetProcAddress(HMODULE module, LPCSTR name) {
  // A name is a pointer above 64 KiB; below it, an ordinal.
  if (reinterpret_cast<uintptr_t>(name) > 0xFFFF)
    if (const Redirection* redirection = RedirectionOf(name))
      return reinterpret_cast<FARPROC>(redirection->to);
  return realGetProcAddress(module, name);
}

// Returns whether a module is the system's (Windows' folder, where the runtime DLLs live too):
// those keep their import tables as they are.
bool SystemModule(HMODULE module) {
  wchar_t path[MAX_PATH + 1], windows[MAX_PATH + 1];
  const DWORD size = GetModuleFileNameW(module, path, MAX_PATH);
  const UINT folder = GetWindowsDirectoryW(windows, MAX_PATH);
  if (size == 0 || folder == 0 || size <= folder) return false;
  for (UINT i = 0; i < folder; ++i)
    if (std::towlower(path[i]) != std::towlower(windows[i])) return false;
  return path[folder] == L'\\';
}

// Points every import of a module that is redirected at its replacement: each slot of its import
// address table made writable (never executable) for the write, then as it was.
void RedirectImports(HMODULE module) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
    return;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
       ++dll) {
    if (dll->OriginalFirstThunk == 0) continue;  // no names kept: nothing to tell the imports by
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL64(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      const Redirection* redirection = RedirectionOf(reinterpret_cast<const char*>(byName->Name));
      const auto to = reinterpret_cast<ULONGLONG>(redirection ? redirection->to : nullptr);
      if (!redirection || slots->u1.Function == to) continue;
      DWORD old = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old)) continue;
      slots->u1.Function = to;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
    }
  }
}

// Redirects the imports of every module of the process that is not the system's.
void RedirectAll() {
  HMODULE modules[1024];
  DWORD bytes = 0;
  if (!K32EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &bytes)) return;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i)
    if (!SystemModule(modules[i])) RedirectImports(modules[i]);
}

// A library loaded by a redirected module is redirected too, before its loader sees it.
HMODULE Loaded(HMODULE module) {
  if (module) RedirectAll();
  return module;
}
HMODULE WINAPI ClockLoadLibraryA(LPCSTR name) { return Loaded(realLoadLibraryA(name)); }
HMODULE WINAPI ClockLoadLibraryW(LPCWSTR name) { return Loaded(realLoadLibraryW(name)); }
HMODULE WINAPI ClockLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
  return Loaded(realLoadLibraryExA(name, file, flags));
}
HMODULE WINAPI ClockLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
  return Loaded(realLoadLibraryExW(name, file, flags));
}

}  // namespace

bool WallClock::Available() {
  static const bool installed = [] {
    realSystemTime = reinterpret_cast<NtQuerySystemTimeFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemTime")));
    const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    const auto take = [kernel32](auto& real, const char* name) {
      real = reinterpret_cast<std::remove_reference_t<decltype(real)>>(
          reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
      return real != nullptr;
    };
    if (realSystemTime == nullptr || !take(realGetProcAddress, "GetProcAddress") ||
        !take(realLoadLibraryA, "LoadLibraryA") || !take(realLoadLibraryW, "LoadLibraryW") ||
        !take(realLoadLibraryExA, "LoadLibraryExA") || !take(realLoadLibraryExW, "LoadLibraryExW"))
      return false;
    RedirectAll();
    return true;
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
