// A DLL's entry point: the runtime's start-up before DllMain's attach, its shut-down after the
// detach, and when the attach fails, the detach delivered at once and only once, as the Visual
// C++ runtime does.
#include <windows.h>

#include "Runtime.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {
// Whether the attach succeeded and no detach has run since: a detach after a failed attach
// (which the loader delivers too) reaches DllMain only once, from here.
bool attached = false;
}  // namespace

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: {
      MorrowsetInitSecurityCookie();
      if (!MorrowsetRunInitialisers()) {
        MorrowsetRunExitTable();
        return FALSE;
      }
      if (DllMain(instance, reason, reserved)) {
        attached = true;
        return TRUE;
      }
      // A failed attach gets no detach from the loader: deliver it, then tear down.
      DllMain(instance, DLL_PROCESS_DETACH, reserved);
      MorrowsetRunExitTable();
      MorrowsetDestroyTypeNames();
      return FALSE;
    }
    case DLL_PROCESS_DETACH: {
      if (!attached) return FALSE;
      attached = false;
      const BOOL result = DllMain(instance, reason, reserved);
      MorrowsetRunExitTable();
      MorrowsetDestroyTypeNames();
      return result;
    }
    default:
      return DllMain(instance, reason, reserved);
  }
}
