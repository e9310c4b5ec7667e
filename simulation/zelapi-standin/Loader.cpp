// Loads and unloads plugin libraries from the server folder as the framework does.
#include <algorithm>
#include <filesystem>

#include "Internal.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace DevHost {
namespace {

std::string serverDir = ".";

struct Plugin {
  std::string name;
  std::string path;
  void* handle = nullptr;
  PluginState state = PluginState::Unloaded;
  std::string error;
  unsigned long platformError = 0;
};

std::vector<Plugin> plugins;
std::string reportedFailure;
bool failureReported = false;
bool loadFailureExtension = true;

// The folder that holds one folder per plugin, below a server folder.
std::filesystem::path PluginsRoot(const std::string& dir) {
  return std::filesystem::path(dir) / "TolvApi" / "Plugins";
}

Plugin* Find(const std::string& name) {
  for (auto& plugin : plugins)
    if (plugin.name == name) return &plugin;
  return nullptr;
}

void* OpenLibrary(const std::string& path, std::string& error, unsigned long& code) {
#if defined(_WIN32)
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    code = GetLastError();
    error = "LoadLibrary failed with error " + std::to_string(code);
  }
  return reinterpret_cast<void*>(module);
#else
  (void)code;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) error = dlerror();
  return handle;
#endif
}

// Closes the library and checks that the platform really unloaded it.
void CloseLibrary(Plugin& plugin) {
#if defined(_WIN32)
  FreeLibrary(reinterpret_cast<HMODULE>(plugin.handle));
  HMODULE still = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(plugin.handle), &still))
    Internal::Fault(plugin.name + " stayed loaded after unload");
#else
  dlclose(plugin.handle);
  if (void* still = dlopen(plugin.path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    Internal::Fault(plugin.name + " stayed loaded after unload");
    dlclose(still);
  }
#endif
  plugin.handle = nullptr;
}

}  // namespace

namespace Internal {
void ResetLoader() {
  plugins.clear();
  loadFailureExtension = true;
}
}  // namespace Internal

void SetServerDir(const std::string& dir) { serverDir = dir; }

void SetLoadFailureExtension(bool offered) { loadFailureExtension = offered; }

std::string LibraryFileName(const std::string& name) {
#if defined(_WIN32)
  return name + ".dll";
#else
  return name + ".so";
#endif
}

bool LoadPlugin(const std::string& name, const std::string& libraryPath) {
  Plugin* plugin = Find(name);
  if (plugin == nullptr) plugin = &plugins.emplace_back();
  if (plugin->state == PluginState::Loaded) {
    Internal::Fault(name + " is already loaded");
    return true;
  }
  *plugin = Plugin{};
  plugin->name = name;
  plugin->path = libraryPath;
  failureReported = false;
  reportedFailure.clear();
  std::string error;
  {
    const Internal::SourceScope source("load");
    Internal::AsPlugin(name,
                       [&] { plugin->handle = OpenLibrary(libraryPath, error, plugin->platformError); });
    Internal::CheckWritesReplicated();
  }
  if (failureReported) {
    // The attach notification failed. On Windows the loader has already delivered the detach
    // notification and unloaded the library; elsewhere the plugin has run its detach itself,
    // and the host unloads the library now.
    {
      const Internal::SourceScope source("unload");
      if (plugin->handle) Internal::AsPlugin(name, [&] { CloseLibrary(*plugin); });
      Internal::DropRegistrationsOf(name);
    }
    plugin->state = PluginState::Failed;
    plugin->error = reportedFailure;
    Internal::Record(Event::Kind::Plugin, 0, name + " failed: " + reportedFailure);
    return false;
  }
  if (plugin->handle == nullptr) {
    plugin->state = PluginState::Failed;
    plugin->error = error;
    Internal::Record(Event::Kind::Plugin, 0, name + " failed: " + error);
    return false;
  }
  plugin->state = PluginState::Loaded;
  Internal::Record(Event::Kind::Plugin, 0, name + " loaded");
  return true;
}

std::string PluginFolder(const std::string& dir, const std::string& plugin) {
  return (PluginsRoot(dir) / plugin).string();
}

void LoadServerPlugins() {
  const std::filesystem::path root = PluginsRoot(serverDir);
  std::error_code ec;
  std::vector<std::filesystem::path> folders;
  for (const auto& entry : std::filesystem::directory_iterator(root, ec))
    if (entry.is_directory()) folders.push_back(entry.path());
  std::sort(folders.begin(), folders.end());
  for (const auto& folder : folders) {
    const std::string name = folder.filename().string();
    const auto library = folder / LibraryFileName(name);
    if (!std::filesystem::exists(library)) {
      Internal::Record(Event::Kind::Plugin, 0, name + " skipped: no " + LibraryFileName(name));
      continue;
    }
    LoadPlugin(name, std::filesystem::absolute(library).string());
  }
}

void UnloadPlugin(const std::string& name) {
  Plugin* plugin = Find(name);
  if (plugin == nullptr || plugin->state != PluginState::Loaded) return;
  {
    const Internal::SourceScope source("unload");
    Internal::AsPlugin(name, [&] { CloseLibrary(*plugin); });
    Internal::DropRegistrationsOf(name);
  }
  plugin->state = PluginState::Unloaded;
  Internal::Record(Event::Kind::Plugin, 0, name + " unloaded");
}

void UnloadAllPlugins() {
  for (auto it = plugins.rbegin(); it != plugins.rend(); ++it) UnloadPlugin(it->name);
}

std::vector<std::string> PluginNames() {
  std::vector<std::string> names;
  for (const auto& plugin : plugins) names.push_back(plugin.name);
  return names;
}

PluginState StateOf(const std::string& name) {
  const Plugin* plugin = Find(name);
  return plugin ? plugin->state : PluginState::Unloaded;
}

std::string LoadErrorOf(const std::string& name) {
  const Plugin* plugin = Find(name);
  return plugin ? plugin->error : std::string();
}

unsigned long PlatformErrorOf(const std::string& name) {
  const Plugin* plugin = Find(name);
  return plugin ? plugin->platformError : 0;
}

}  // namespace DevHost

// ---- Extension of ours, not of the framework -----------------------------------------------

extern "C" void DevHostReportLoadFailure(const char* what) {
  if (!DevHost::loadFailureExtension) return;  // as the real framework, which has no such call
  DevHost::failureReported = true;
  DevHost::reportedFailure = what ? what : "";
}

// ---- Host contract -----------------------------------------------------------------------

// The server folder is the one the plugins are loaded from.
std::string ZelApi::Tools::GetCurrentDir() { return DevHost::serverDir; }
