// Runs the built morrowset-preview on server folders made for a test.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/PluginHost.h"
#include "support/ServerProcess.h"

namespace morrowset::test {

// A config with "FollowWeekCycle" on in Berlin.
extern const std::string kBerlinWeekdays;

// Makes a server folder as an admin has it: the plugin and its config, another plugin, the
// server's own framework. The other plugin and the framework are decoys that mark it
// ("<file>.loaded") if they are loaded.
std::string ServerFolder(const std::string& name, const std::string& config);
// Returns every file below a folder with its size and time of last change.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> Snapshot(
    const std::string& dir);
// What the preview exits with on a folder of ServerFolder's: on Windows its decoy framework
// beside TolvApi would refuse the plugin, which the preview says first and exits 1 for.
#if defined(_WIN32)
constexpr int kExitOnServerFolder = 1;
#else
constexpr int kExitOnServerFolder = 0;
#endif
// Returns the path of the plugin's config.json in a server folder.
std::string ConfigOf(const std::string& server);
// Copies the preview into a folder of its own (made empty first), with no stand-in; returns its path.
std::string CopyOfThePreview(const std::string& name);
// Runs a program of ours from inside the server folder, as an admin does; returns its exit status.
int InServerFolder(const std::string& dir, const std::string& program, const std::string& args,
                   std::string& out);
// Runs the preview from inside the server folder with --server-dir . and args.
int Preview(const std::string& dir, const std::string& args, std::string& out);
// Returns the lines of out that start with start, without line ends.
std::vector<std::string> LinesStartingWith(const std::string& out, const std::string& start);
// Returns the decoys' marks below a folder: the files a loaded decoy left.
std::vector<std::string> Marks(const std::string& dir);

}  // namespace morrowset::test
