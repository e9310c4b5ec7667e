// Start-up and shut-down through the library's attach and detach notifications.
#include <cstdio>
#include <memory>

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

using Lifecycle = PluginTest;

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
  EXPECT_EQ(Take({"register", "free"}),
            (Seq{"register console day.set", "free", "register rcon day.set", "free"}));
  Unload();
  Seq expected;
  for (const auto& removal : kSixRemovals) expected.insert(expected.end(), {removal, "free"});
  EXPECT_EQ(Take({"unregister", "free"}), expected);
}

TEST_F(Lifecycle, AllSwitchesOnRegistersSixInTableOrder) {
  WriteConfig(ConfigJson(true, true, true, "true"));
  ASSERT_TRUE(Load());
  EXPECT_EQ(TakeRegistry(),
            (Seq{"register console day.set", "register rcon day.set", "register timer forceday",
                 "register timer forceweekday", "register timer resetdays",
                 "register timer forcemonthday"}));
  Unload();
  EXPECT_EQ(TakeRegistry(), kSixRemovals);
  EXPECT_EQ(DevHost::Timers(), Seq{});
}

TEST_F(Lifecycle, FailedStartUpIsAnOrderlyFailedLoadThatLeavesNothingRegistered) {
  std::remove(configPath.c_str());
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::StateOf("MorrowsetVelde"), DevHost::PluginState::Failed);
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), "Can't open config.json");
  Seq expected = {"register console day.set", "register rcon day.set"};
  expected.insert(expected.end(), kSixRemovals.begin(), kSixRemovals.end());
  EXPECT_EQ(TakeRegistry(), expected);  // the detach notification ran Unload, once
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
  DevHost::SetListener([&](const std::string& event) {
    if (event == "unregister console day.set") duringUnload = sink.use_count();
  });
  Unload();
  DevHost::SetListener(nullptr);
  EXPECT_EQ(duringUnload, before + 1);     // Unload runs while the logger still exists
  EXPECT_EQ(sink.use_count(), before);     // then teardown destroys it
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
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<const char*>(module) +
                                       nt->OptionalHeader.AddressOfEntryPoint);
  EXPECT_EQ(entry(module, DLL_THREAD_ATTACH, nullptr), TRUE);
  EXPECT_EQ(entry(module, DLL_THREAD_DETACH, nullptr), TRUE);
  EXPECT_EQ(DevHost::TakeEvents(), Seq{});
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{"day.set"});
}
#else
TEST_F(Lifecycle, LibraryExportsNothing) {
  std::unique_ptr<FILE, int (*)(FILE*)> nm(
      popen(("nm -D --defined-only '" + PluginPath() + "'").c_str(), "r"), pclose);
  ASSERT_TRUE(nm);
  std::string symbols;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, nm.get())) symbols += buffer;
  EXPECT_EQ(symbols, "");
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
