// The ZelApi host framework and engine types as the plugin and the host both compile them.
//
// This is exactly what the real framework (ZelApi.dll) exports to a plugin, and nothing more:
// a plugin that needs anything else would not load on a real server. Every operation states
// its contract in the terms the development stand-in checks it by. The plugin owns nothing it
// receives from here except the engine buffers the contract names, which go back through
// "FMemory.Free(void*)" (see HostMemory.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace spdlog {
namespace sinks {
class sink;
}
}  // namespace spdlog

#if defined(_WIN32)
#if defined(ZELAPI_BUILD)
#define ZELAPI __declspec(dllexport)
#else
#define ZELAPI __declspec(dllimport)
#endif
#else
#define ZELAPI __attribute__((visibility("default")))
#endif

// ---- Declaration choices the ABI depends on -----------------------------------------------
// The framework's interface fixes these signatures, but not everything a compiler encodes in
// an exported name or a layout. On Windows the framework is built with MSVC, whose mangled
// names carry each class key (class V, struct U), every template argument and the calling
// convention. Where the interface is silent, these follow the engine's public declarations.
// When `morrowset-check --framework` reports an import the real ZelApi.dll lacks, its report
// names the part that differs; change it here, and only here.
//   1. Class keys: FString, TArray and FDefaultAllocator are classes, as the engine declares
//      them; ICommands, IApiUtils and spdlog's sink are classes; the opaque game types are
//      declared as the engine does (UWorld, AShooterGameState, APlayerController and
//      RCONClientConnection as classes, RCONPacket as a struct).
//   2. TArray has a second, defaulted parameter, the allocator, as in the engine; its type
//      depends on the engine's version: here FDefaultAllocator, a class.
//   3. The engine character is wchar_t on Windows (char16_t elsewhere), 16 bits either way.
//   4. Calling conventions: x64 Windows has one for free functions and members alike (MSVC's
//      __cdecl, mangled A); nothing is declared __stdcall or __vectorcall.
//   5. The exports are free functions in namespace ZelApi and ZelApi::Tools, and FString's
//      converting constructor and const ParseIntoArray, all by their C++ (mangled) names.
// The plugin imports exactly eight names from ZelApi.dll; the README lists them as MSVC
// mangles these declarations.

// A 16-bit engine character on every platform.
#if defined(_WIN32)
using WIDECHAR = wchar_t;
#define ZTEXT(s) L##s
#else
using WIDECHAR = char16_t;
#define ZTEXT(s) u##s
#endif
static_assert(sizeof(WIDECHAR) == 2, "engine characters are 16 bits");

// The engine's default array allocator: only its name reaches the ABI (choice 2).
class FDefaultAllocator;

// Engine dynamic array: element pointer, signed 32-bit count, 32-bit capacity; all zero is empty.
// The buffer comes from the engine allocator; whoever owns the array frees it there.
template <typename T, typename Allocator = FDefaultAllocator>
class TArray {
 public:
  T* Data = nullptr;
  int32_t ArrayNum = 0;
  int32_t ArrayMax = 0;

  // Returns the number of elements.
  int32_t Num() const { return ArrayNum; }
  // Returns the element at index i (unchecked).
  T& operator[](int32_t i) { return Data[i]; }
  const T& operator[](int32_t i) const { return Data[i]; }
};

// Engine wide string: a TArray of 16-bit characters, zero-terminated when not empty.
// It has no destructor: its buffer is handed back explicitly, exactly once.
class FString {
 public:
  TArray<WIDECHAR> Data;

  FString() = default;
  FString(const FString&) = delete;
  FString& operator=(const FString&) = delete;

  // Converts a narrow (ASCII) text into a buffer from the engine allocator; "" gives no buffer.
  ZELAPI explicit FString(const char* text);

  // Fills the empty array with the words between delimiters; each word and the array's
  // buffer come from the engine allocator. With cull, empty words are dropped. Returns the count.
  ZELAPI int32_t ParseIntoArray(TArray<FString>& out, const WIDECHAR* delimiter, bool cull) const;

  // Returns the number of characters, the terminator not counted.
  int32_t Len() const { return Data.ArrayNum > 0 ? Data.ArrayNum - 1 : 0; }
  // Returns the characters, or an empty text when there is no buffer.
  const WIDECHAR* operator*() const { return Data.ArrayNum > 0 ? Data.Data : ZTEXT(""); }
};

// Engine types the plugin never looks inside; the game defines them (choice 1).
class UWorld;
class AShooterGameState;
class APlayerController;
class RCONClientConnection;

// An RCON packet as the host hands it to a command callback; Body is the whole command line.
struct RCONPacket {
  int32_t Length = 0;
  int32_t Id = 0;
  int32_t Type = 0;
  FString Body;
};

namespace ZelApi {

using ConsoleCallback = std::function<void(APlayerController*, FString*, bool)>;
using RconCallback = std::function<void(RCONClientConnection*, RCONPacket*, UWorld*)>;
using TimerCallback = std::function<void()>;
using LogSinks = std::vector<std::shared_ptr<spdlog::sinks::sink>>;

// Command and timer registries. The host keeps its own copy of every callback and of the name;
// both arguments may be released as soon as a call returns. Callbacks are invoked one at a time,
// on one thread. After a removal nothing is called under that name again; removing a name that
// is not registered is accepted and does nothing.
class ICommands {
 public:
  // Adds a console command; the callback gets the whole command line, name first.
  virtual void RegisterConsoleCommand(const FString& name, const ConsoleCallback& callback) = 0;
  // Adds an RCON command; the callback gets a packet whose Body is the whole command line.
  virtual void RegisterRconCommand(const FString& name, const RconCallback& callback) = 0;
  // Adds a timer callback, called repeatedly at the host's own cadence.
  virtual void RegisterTimerCallback(const FString& id, const TimerCallback& callback) = 0;
  // Removes a console command by name.
  virtual void UnregisterConsoleCommand(const FString& name) = 0;
  // Removes an RCON command by name.
  virtual void UnregisterRconCommand(const FString& name) = 0;
  // Removes a timer callback by identifier.
  virtual void UnregisterTimerCallback(const FString& id) = 0;

 protected:
  ~ICommands() = default;
};

// Game utilities.
class IApiUtils {
 public:
  // Returns the server's current world, or null while there is none.
  virtual UWorld* CurrentWorld() const = 0;

 protected:
  ~IApiUtils() = default;
};

// Returns the command registries; fetch anew before each use.
ZELAPI ICommands& GetCommands();
// Returns the game utilities; fetch anew before each use.
ZELAPI IApiUtils& GetApiUtils();

// Resolves a function's address by "Class.Function(params)"; null when the name is unknown.
ZELAPI void* GetAddress(const std::string& name);
// Resolves a member's address inside object by "Class.Member"; 0 when the name is unknown.
// The object must be a live object of that class: never null, never another class's object.
ZELAPI uint64_t GetAddress(const void* object, const std::string& name);

// Returns the host's log sinks; a logger may share them but must not keep the vector.
ZELAPI LogSinks& GetLogSinks();

namespace Tools {
// Returns the server's working directory, as the host holds it (no separator added or removed).
ZELAPI std::string GetCurrentDir();
}  // namespace Tools

}  // namespace ZelApi
