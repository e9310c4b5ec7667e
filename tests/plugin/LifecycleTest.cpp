// Start-up and shut-down through the library's attach and detach notifications.
#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

#include "support/PluginHost.h"

#if defined(_WIN32)
#include <windows.h>

#include <thread>
#else
#include <dlfcn.h>
#endif

namespace morrowset::test {
namespace {

const Seq kSixRemovals = {"unregister console day.set", "unregister rcon day.set",
                          "unregister timer forceday",  "unregister timer forceweekday",
                          "unregister timer resetdays", "unregister timer forcemonthday"};

// A start-up that fails at config.json: both "day.set" registered, then the six removals.
const Seq kFailedStartUp = {"register console day.set",   "register rcon day.set",
                            "unregister console day.set", "unregister rcon day.set",
                            "unregister timer forceday",  "unregister timer forceweekday",
                            "unregister timer resetdays", "unregister timer forcemonthday"};

using Lifecycle = PluginTest;

// Everything the plugin may take from the framework, as the real ZelApi.dll exports it.
#if defined(_MSC_VER)
const std::set<std::string> kFrameworkImports = {
    "??0FString@@QEAA@PEBD@Z",
    "?GetAddress@ZelApi@@YAPEAXAEBV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@@Z",
    "?GetAddress@ZelApi@@YA_KPEBXAEBV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@@Z",
    "?GetApiUtils@ZelApi@@YAAEAVIApiUtils@1@XZ",
    "?GetCommands@ZelApi@@YAAEAVICommands@1@XZ",
    "?GetCurrentDir@Tools@ZelApi@@YA?AV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@XZ",
    "?GetLogSinks@ZelApi@@YAAEAV?$vector@V?$shared_ptr@Vsink@sinks@spdlog@@@std@@V?$allocator@V?$"
    "shared_ptr@Vsink@sinks@spdlog@@@std@@@2@@std@@XZ",
    "?ParseIntoArray@FString@@QEBAHAEAV?$TArray@VFString@@VFDefaultAllocator@@@@PEB_W_N@Z",
};
#else
const std::set<std::string> kFrameworkImports = {
    "_ZN6ZelApi10GetAddressEPKvRKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE",
    "_ZN6ZelApi10GetAddressERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE",
    "_ZN6ZelApi11GetApiUtilsEv",
    "_ZN6ZelApi11GetCommandsEv",
    "_ZN6ZelApi11GetLogSinksEv",
    "_ZN6ZelApi5Tools13GetCurrentDirB5cxx11Ev",
    "_ZN7FStringC1EPKc",
    "_ZNK7FString14ParseIntoArrayER6TArrayIS_17FDefaultAllocatorEPKDsb",
};
#endif

TEST_F(Lifecycle, AllSwitchesOffRegistersDaySetTwiceAndUnloadRemovesAllSix) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(TakeRegistry(), (Seq{"register console day.set", "register rcon day.set"}));
  EXPECT_EQ(DevHost::Timers(), Seq{});
  Unload();
  EXPECT_EQ(TakeRegistry(), kSixRemovals);
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{});
  EXPECT_EQ(DevHost::RconCommands(), Seq{});
}

TEST_F(Lifecycle, EveryIdentifierBufferIsFreedRightAfterItsCall) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(Take({Kind::Register, Kind::Free}),
            (Seq{"register console day.set", "free", "register rcon day.set", "free"}));
  Unload();
  Seq expected;
  for (const auto& removal : kSixRemovals) expected.insert(expected.end(), {removal, "free"});
  EXPECT_EQ(Take({Kind::Unregister, Kind::Free}), expected);
}

TEST_F(Lifecycle, AllSwitchesOnRegistersSixInTableOrder) {
  WriteConfig(ConfigJson(true, true, true, "true"));
  ASSERT_TRUE(Load());
  EXPECT_EQ(TakeRegistry(),
            (Seq{"register console day.set", "register rcon day.set", "register timer forceday",
                 "register timer forceweekday", "register timer resetdays", "register timer forcemonthday"}));
  Unload();
  EXPECT_EQ(TakeRegistry(), kSixRemovals);
  EXPECT_EQ(DevHost::Timers(), Seq{});
}

TEST_F(Lifecycle, FailedStartUpIsAnOrderlyFailedLoadThatLeavesNothingRegistered) {
  std::remove(configPath.c_str());
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::StateOf("MorrowsetVelde"), DevHost::PluginState::Failed);
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), "Can't open config.json");
  EXPECT_EQ(TakeRegistry(), kFailedStartUp);  // the detach notification ran Unload, once
#if defined(_WIN32)
  EXPECT_EQ(DevHost::PlatformErrorOf("MorrowsetVelde"), static_cast<unsigned long>(ERROR_DLL_INIT_FAILED));
#endif
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{});
  EXPECT_FALSE(DevHost::RunConsole("day.set 4"));

  // The server goes on, and the plugin loads once its config is back.
  WriteConfig(ConfigJson(false, false, false));
  EXPECT_TRUE(Load());
  Console("day.set 4");
  EXPECT_DAY(4, 4);
}

// The real framework has no way to hear the reason: the failure must still be orderly.
TEST_F(Lifecycle, FailedStartUpStaysOrderlyOnAFrameworkWithoutOurExtension) {
  DevHost::SetLoadFailureExtension(false);
  std::remove(configPath.c_str());
#if defined(_WIN32)
  EXPECT_FALSE(Load());  // the loader itself reports the failed initialisation
  EXPECT_EQ(DevHost::PlatformErrorOf("MorrowsetVelde"), static_cast<unsigned long>(ERROR_DLL_INIT_FAILED));
#else
  EXPECT_TRUE(Load());  // a constructor cannot fail: the library stays, inert
#endif
  EXPECT_EQ(TakeRegistry(), kFailedStartUp);
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{});
  EXPECT_EQ(DevHost::RconCommands(), Seq{});
  Unload();
  EXPECT_EQ(TakeRegistry(), Seq{});  // Unload ran once, at the failure
}

TEST_F(Lifecycle, IdentifierIsFreedWhenTheHostThrowsDuringRegistration) {
  DevHost::FailNextRegistration("host out of memory");
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), "host out of memory");
  EXPECT_EQ(DevHost::OutstandingBuffers(), 0u);
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{});
}

TEST_F(Lifecycle, ReloadReadsTheChangedConfig) {
  ASSERT_TRUE(Load());
  Unload();
  WriteConfig(ConfigJson(true, false, false));
  ASSERT_TRUE(Load());
  EXPECT_EQ(DevHost::Timers(), Seq{"forceday"});
}

TEST_F(Lifecycle, LoggerSharesTheHostSinksUntilTeardownAfterUnload) {
  std::shared_ptr<spdlog::sinks::sink> sink = DevHost::RecordingSink();
  const long before = sink.use_count();
  ASSERT_TRUE(Load());
  EXPECT_EQ(sink.use_count(), before + 1);  // the plugin logger's copy

  // The host drops its sink and adds a new one: the logger keeps what it copied, sees nothing new.
  ZelApi::GetLogSinks().clear();
  ZelApi::GetLogSinks().push_back(sink);
  EXPECT_EQ(sink.use_count(), before + 1);

  long duringUnload = 0;
  session->Listen([&](const DevHost::Event& event) {
    if (event.Name() == "unregister console day.set") duringUnload = sink.use_count();
  });
  Unload();
  session->Listen(nullptr);
  EXPECT_EQ(duringUnload, before + 1);  // Unload runs while the logger still exists
  EXPECT_EQ(sink.use_count(), before);  // then teardown destroys it
}

#if defined(_WIN32)
const IMAGE_NT_HEADERS64* Headers(HMODULE module) {
  const auto* base = reinterpret_cast<const char*>(module);
  return reinterpret_cast<const IMAGE_NT_HEADERS64*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

TEST_F(Lifecycle, LibraryExportsNothing) {
  ASSERT_TRUE(Load());
  HMODULE module = GetModuleHandleA("MorrowsetVelde.dll");
  ASSERT_NE(module, nullptr);
  const IMAGE_DATA_DIRECTORY& directory =
      Headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (directory.Size == 0) return;  // no export table at all
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
      reinterpret_cast<const char*>(module) + directory.VirtualAddress);
  EXPECT_EQ(exports->NumberOfFunctions, 0u);
  EXPECT_EQ(exports->NumberOfNames, 0u);
}

// Reads the names the loaded library imports from ZelApi.dll, from its import directory.
TEST_F(Lifecycle, ImportsFromTheFrameworkOnlyWhatItExports) {
  ASSERT_TRUE(Load());
  const auto* base = reinterpret_cast<const char*>(GetModuleHandleA("MorrowsetVelde.dll"));
  ASSERT_NE(base, nullptr);
  const IMAGE_DATA_DIRECTORY& directory = Headers(reinterpret_cast<HMODULE>(const_cast<char*>(base)))
                                              ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::set<std::string> imported;
  std::set<std::string> dlls;
  bool importsZelApi = false;
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       dll->Name != 0; ++dll) {
    dlls.insert(base + dll->Name);
    if (_stricmp(base + dll->Name, "ZelApi.dll") != 0) continue;
    importsZelApi = true;
    for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + dll->OriginalFirstThunk);
         thunk->u1.AddressOfData != 0; ++thunk) {
      ASSERT_FALSE(IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal)) << "import by ordinal";
      imported.insert(reinterpret_cast<const char*>(
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)->Name));
    }
  }
  EXPECT_TRUE(importsZelApi);
  EXPECT_EQ(imported, kFrameworkImports);
  // Beyond the framework, only what every server with the Visual C++ runtime has.
  EXPECT_EQ(dlls, (std::set<std::string>{"ZelApi.dll", "kernel32.dll", "msvcp140.dll", "ucrtbase.dll",
                                         "vcruntime140.dll"}));
}

TEST_F(Lifecycle, UnloadReallyUnloadsTheLibrary) {
  ASSERT_TRUE(Load());
  EXPECT_NE(GetModuleHandleA("MorrowsetVelde.dll"), nullptr);
  Unload();
  EXPECT_EQ(GetModuleHandleA("MorrowsetVelde.dll"), nullptr);
}

TEST_F(Lifecycle, ThreadAttachAndDetachDoNothingAndReportSuccess) {
  ASSERT_TRUE(Load());
  DevHost::TakeEvents();
  std::thread([] {}).join();  // the loader delivers thread attach and detach to the library
  HMODULE module = GetModuleHandleA("MorrowsetVelde.dll");
  ASSERT_NE(module, nullptr);
  const auto* nt = Headers(module);
  using Entry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
  auto entry =
      reinterpret_cast<Entry>(reinterpret_cast<uintptr_t>(module) + nt->OptionalHeader.AddressOfEntryPoint);
  EXPECT_EQ(entry(module, DLL_THREAD_ATTACH, nullptr), TRUE);
  EXPECT_EQ(entry(module, DLL_THREAD_DETACH, nullptr), TRUE);
  EXPECT_EQ(DevHost::Names(DevHost::TakeEvents()), Seq{});
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{"day.set"});
}
#else
// Returns the names nm lists for a built library with the given options, where the symbol's
// type is one of types and it carries no version (symbols of system libraries carry one). An nm
// that cannot run fails the test: an empty list must mean an empty table.
std::set<std::string> Symbols(const std::string& library, const std::string& options,
                              const std::string& types) {
  FILE* nm = popen(("nm -D " + options + " '" + library + "'").c_str(), "r");
  std::string text;
  char buffer[512];
  while (nm && fgets(buffer, sizeof buffer, nm)) text += buffer;
  const int status = nm ? pclose(nm) : -1;
  if (status != 0)
    ADD_FAILURE() << "nm -D " << options << " " << library << " failed (status " << status << ")";
  std::istringstream lines(text);
  std::set<std::string> names;
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line.size() > 17 ? line.substr(17) : line);
    std::string type, name;
    if (fields >> type >> name && types.find(type) != std::string::npos &&
        name.find('@') == std::string::npos)
      names.insert(name);
  }
  return names;
}

TEST_F(Lifecycle, LibraryExportsNothing) {
  EXPECT_EQ(Symbols(PluginPath(), "--defined-only", "TtDdBbVvWwRrUui"), std::set<std::string>{});
}

// What the plugin takes from the framework library it was linked against: its strong
// references that the stand-in defines. Anything more would not load on a real server.
TEST_F(Lifecycle, ImportsFromTheFrameworkOnlyWhatItExports) {
  const auto offered = Symbols(MORROWSET_STANDIN_PATH, "--defined-only", "TtWwVvDdBbu");
  std::set<std::string> imported;
  for (const auto& name : Symbols(PluginPath(), "--undefined-only", "U"))
    if (offered.count(name)) imported.insert(name);
  EXPECT_EQ(imported, kFrameworkImports);
}

TEST_F(Lifecycle, UnloadReallyUnloadsTheLibrary) {
  ASSERT_TRUE(Load());
  Unload();
  void* still = dlopen(PluginPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(still, nullptr);
  if (still) dlclose(still);
}
#endif

}  // namespace
}  // namespace morrowset::test
