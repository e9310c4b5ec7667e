// Runs the built morrowset-preview on server folders made for a test.
#include "PreviewRun.h"

#include <fstream>

namespace morrowset::test {

namespace fs = std::filesystem;

const std::string kBerlinWeekdays =
    WithMember(ConfigJson(false, true, false), "TimeZone", "\"Europe/Berlin\"");

std::string ServerFolder(const std::string& name, const std::string& config) {
  const fs::path dir = fs::path(testing::TempDir()) / name;
  fs::remove_all(dir);
  const fs::path plugin = DevHost::PluginFolder(dir.string(), "MorrowsetVelde");
  fs::create_directories(plugin);
  fs::copy_file(PluginPath(), plugin / DevHost::LibraryFileName("MorrowsetVelde"));
  std::ofstream(plugin / "config.json") << config;
  const fs::path other = DevHost::PluginFolder(dir.string(), "OtherPlugin");
  fs::create_directories(other);
  fs::copy_file(MORROWSET_MARKER_LIBRARY, other / DevHost::LibraryFileName("OtherPlugin"));
#if defined(_WIN32)
  fs::copy_file(MORROWSET_MARKER_LIBRARY, dir / "ZelApi.dll");
#else
  fs::copy_file(MORROWSET_MARKER_LIBRARY, dir / "libZelApi.so");
  fs::copy_file(MORROWSET_MARKER_LIBRARY, plugin / "libZelApi.so");
#endif
  return dir.string();
}

std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(const std::string& dir) {
  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
  return files;
}

std::string ConfigOf(const std::string& server) {
  return DevHost::PluginFolder(server, "MorrowsetVelde") + "/config.json";
}

std::string CopyOfThePreview(const std::string& name) {
  const fs::path folder = fs::path(testing::TempDir()) / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path program = ProgramPath("morrowset-preview");
  fs::copy_file(program, folder / program.filename());
  return (folder / program.filename()).string();
}

int InServerFolder(const std::string& dir, const std::string& program, const std::string& args,
                   std::string& out) {
  return RunCommand(CdInto(dir) + Quote(ProgramPath(program)) + " " + args, out);
}

int Preview(const std::string& dir, const std::string& args, std::string& out) {
  return InServerFolder(dir, "morrowset-preview", "--server-dir . " + args, out);
}

std::vector<std::string> LinesStartingWith(const std::string& out, const std::string& start) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < out.size();) {
    std::size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    std::string line = out.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(start, 0) == 0) lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::vector<std::string> Marks(const std::string& dir) {
  std::vector<std::string> marks;
  for (const auto& entry : fs::recursive_directory_iterator(fs::u8path(dir)))
    if (entry.path().extension() == ".loaded") marks.push_back(entry.path().u8string());
  return marks;
}

}  // namespace morrowset::test
