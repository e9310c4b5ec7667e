// A library that leaves "<its own path>.loaded" beside itself when anything loads it: a decoy
// that shows whether a program loaded what it must not.
#include <fstream>
#include <string>

#if defined(_WIN32)
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(self, path, MAX_PATH);
    std::ofstream(std::string(path, size) + ".loaded") << "loaded\n";
  }
  return TRUE;
}
#else
#include <dlfcn.h>

__attribute__((constructor)) static void OnLoad() {
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&OnLoad), &self) && self.dli_fname)
    std::ofstream(std::string(self.dli_fname) + ".loaded") << "loaded\n";
}
#endif
