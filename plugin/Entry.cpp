// The library's attach and detach notifications: Load on attach, Unload on detach.
//
// No exception may leave a notification, and a failed Load ends as an orderly failed load on
// every framework, including one that knows nothing of us:
// - Windows: DllMain returns FALSE; the runtime's start-up code delivers the detach (Unload)
//   once, the loader unloads the library, and LoadLibrary fails with ERROR_DLL_INIT_FAILED.
// - Linux: a constructor cannot fail, so the detach runs at once (Unload) and the library
//   stays loaded but inert, with nothing registered; its destructor does not run Unload again.
// Either way the error text is offered to the host through an optional extension that the
// development server provides and the real framework lacks. It is looked up at run time, so
// the plugin imports nothing from the framework beyond what the framework exports.
#include <exception>

#include "Plugin.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// The build's name and version where what(1) and morrowset-preview find it in the file, on every
// platform (the Windows version resource says the same).
__attribute__((used)) const char kIdentity[] = "@(#)Morrowset " MORROWSET_VERSION;

// The development server's extension: receives why a plugin failed to start.
constexpr const char* kLoadFailureExtension = "DevHostReportLoadFailure";
using LoadFailureReport = void (*)(const char* what);

// Offers the failure text to the host, if the host understands it.
void ReportFailure(const char* what) {
#if defined(_WIN32)
  HMODULE framework = GetModuleHandleA("ZelApi.dll");
  auto report = framework ? reinterpret_cast<LoadFailureReport>(
                                reinterpret_cast<void*>(GetProcAddress(framework, kLoadFailureExtension)))
                          : nullptr;
#else
  auto report = reinterpret_cast<LoadFailureReport>(dlsym(RTLD_DEFAULT, kLoadFailureExtension));
#endif
  if (report == nullptr) return;
  try {
    report(what);
  } catch (...) {
  }
}

void Detach() {
  try {
    Unload();
  } catch (...) {
  }
}

// Runs Load; returns false, with the failure offered to the host, when it throws.
bool Attach() {
  try {
    Load();
    return true;
  } catch (const std::exception& error) {
    ReportFailure(error.what());
  } catch (...) {
    ReportFailure("unknown error");
  }
  return false;
}

}  // namespace

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return Attach() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      Detach();
      return TRUE;
    default:  // thread attach and detach
      return TRUE;
  }
}
#else
namespace {
// Whether the detach has already run, because the attach failed.
bool detached = false;
}  // namespace

// Linked last, so it runs after every static object of the library has been constructed; the
// matching destructor runs before any of them is destroyed.
__attribute__((constructor)) static void OnLibraryAttach() {
  if (Attach()) return;
  Detach();
  detached = true;
}
__attribute__((destructor)) static void OnLibraryDetach() {
  if (!detached) Detach();
}
#endif
