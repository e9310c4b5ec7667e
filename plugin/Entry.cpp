// The library's attach and detach notifications: Load on attach, Unload on detach.
//
// No exception may leave a notification. A failed Load is reported to the host, which then
// unloads the library; the detach notification runs Unload as for any other unload.
#include <exception>

#include "Plugin.h"
#include "host/ZelApi.h"

namespace {

void ReportFailure(const char* what) {
  try {
    ZelApi::ReportLoadFailure(what);
  } catch (...) {
  }
}

// Runs Load; returns false, with the failure reported to the host, when it throws.
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

void Detach() {
  try {
    Unload();
  } catch (...) {
  }
}

}  // namespace

#if defined(_WIN32)
#include <windows.h>

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
// Linked last, so it runs after every static object of the library has been constructed; the
// matching destructor runs before any of them is destroyed.
__attribute__((constructor)) static void OnLibraryAttach() { Attach(); }
__attribute__((destructor)) static void OnLibraryDetach() { Detach(); }
#endif
