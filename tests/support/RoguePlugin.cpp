// A plugin that breaks the host contract on request, so that every check of the stand-in fires.
//
// It registers the console command "rogue" at load and never removes it. "rogue WHAT" commits
// one violation; "rogue" alone does nothing.
#include <cstdint>
#include <string>

#include "host/ZelApi.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using Free = void (*)(void*);
using ForceNetUpdate = void (*)(AShooterGameState*, bool, bool, bool);

void FreeBuffer(void* buffer) { reinterpret_cast<Free>(ZelApi::GetAddress("FMemory.Free(void*)"))(buffer); }

AShooterGameState* GameState() {
  UWorld* world = ZelApi::GetApiUtils().CurrentWorld();
  return *reinterpret_cast<AShooterGameState**>(ZelApi::GetAddress(world, "UWorld.GameState"));
}

void Update(AShooterGameState* target, bool dormant) {
  reinterpret_cast<ForceNetUpdate>(ZelApi::GetAddress("AShooterGameState.ForceNetUpdate(bool,bool,bool)"))(
      target, dormant, false, false);
}

// Keeps this library loaded for the rest of the process.
void Pin() {
#if defined(_WIN32)
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCSTR>(&Pin), &self);
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Pin), &info) && info.dli_fname)
    dlopen(info.dli_fname, RTLD_NOW | RTLD_NODELETE);
#endif
}

void Misbehave(const std::string& what, FString* line) {
  if (what == "free-twice") {
    FString text("x");
    FreeBuffer(text.Data.Data);
    FreeBuffer(text.Data.Data);
  } else if (what == "free-foreign") {
    int local = 0;
    FreeBuffer(&local);
  } else if (what == "free-host-line") {
    FreeBuffer(line->Data.Data);
  } else if (what == "member-on-null") {
    ZelApi::GetAddress(nullptr, "UWorld.GameState");
  } else if (what == "member-on-other-class") {
    ZelApi::GetAddress(ZelApi::GetApiUtils().CurrentWorld(), "AShooterGameState.DayNumber");
  } else if (what == "write-without-update") {
    *reinterpret_cast<int32_t*>(ZelApi::GetAddress(GameState(), "AShooterGameState.DayNumber")) = 77;
  } else if (what == "update-with-true-flag") {
    Update(GameState(), true);
  } else if (what == "update-on-world") {
    Update(reinterpret_cast<AShooterGameState*>(ZelApi::GetApiUtils().CurrentWorld()), false);
  } else if (what == "parse-into-full-array") {
    TArray<FString> words;
    line->ParseIntoArray(words, ZTEXT(" "), true);
    line->ParseIntoArray(words, ZTEXT(" "), true);  // the words of the first call are lost
  } else if (what == "malformed-name") {
    WIDECHAR unterminated[2] = {'x', 'y'};
    FString name;
    name.Data = {unterminated, 2, 2};
    ZelApi::GetCommands().UnregisterConsoleCommand(name);
  } else if (what == "empty-callback") {
    FString name("rogue.timer");
    ZelApi::GetCommands().RegisterTimerCallback(name, ZelApi::TimerCallback());
    FreeBuffer(name.Data.Data);
  } else if (what == "stay-loaded") {
    Pin();
  }
}

void OnRogue(APlayerController*, FString* line, bool) {
  TArray<FString> words;
  line->ParseIntoArray(words, ZTEXT(" "), true);
  std::string what;
  if (words.Num() > 1)
    for (const WIDECHAR* c = *words[1]; *c; ++c) what += static_cast<char>(*c);
  for (int32_t i = 0; i < words.Num(); ++i) FreeBuffer(words[i].Data.Data);
  FreeBuffer(words.Data);
  Misbehave(what, line);
}

void Attach() {
  FString name("rogue");
  ZelApi::GetCommands().RegisterConsoleCommand(name, ZelApi::ConsoleCallback(OnRogue));
  FreeBuffer(name.Data.Data);
}

}  // namespace

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Attach();
  return TRUE;
}
#else
__attribute__((constructor)) static void OnAttach() { Attach(); }
#endif
