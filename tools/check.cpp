// morrowset-check: reads a config.json with the plugin's own reading code and tells the outcome.
//
// The plugin writes no log line, so a bad config.json makes it fail silently on a real server.
// This prints the exact text start-up would end with and, under it, what to fix (exit 1), or
// OK with the settings and the policies start-up would register, in registration order
// (exit 0). Then the file it read, and one warning per line for what loads but likely does not
// do what the admin meant. Bad arguments exit 2; --strict makes warnings exit 1 too.
// --init first writes the default config.json where there is none, for a first install, and
// only into a server folder (the framework's library beside TolvApi) unless --force is given.
// --framework instead checks that a framework DLL exports every function the plugin DLL imports
// from it, which is whether Windows will load the plugin; a server folder holding ZelApi.dll
// gets that check after the config's; the first line is then the verdict of both.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DefaultConfig.h"
#include "Diagnosis.h"
#include "FrameworkCheck.h"
#include "OptionTable.h"
#include "PeImage.h"
#include "ReportJson.h"
#include "SafeFiles.h"
#include "ServerLayout.h"
#include "config/Config.h"
#include "config/zones/TimeZone.h"

namespace {

using nlohmann::json;

// Returns why --init must not write at path: a link there (a dangling one would be written
// through), or, in a server folder, a folder on the way that leads outside it. Empty otherwise.
std::string InitRefusal(const std::filesystem::path& file, const std::string& server) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(file, error)))
    return morrowset::DisplayPath(file.u8string()) +
           " is a link to a file that does not exist; --init writes only a new file of its own there";
  if (server.empty()) return "";
  const fs::path folder = fs::weakly_canonical(fs::absolute(file.parent_path(), error), error);
  fs::path root = fs::weakly_canonical(fs::absolute(fs::u8path(server), error), error);
  if (!root.has_filename()) root = root.parent_path();  // "srv/" as "srv"
  const auto [mismatch, rest] = std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
  if (mismatch == root.end()) return "";
  return "the folder " + morrowset::DisplayPath(file.parent_path().u8string()) +
         " leads outside the server folder (a link on the way?); --init writes only inside it";
}

// Returns the default config.json with this system's line ends: CRLF on Windows, where Notepad
// opens it.
std::string DefaultConfigText() {
  std::string text;
  for (const char c : std::string(kDefaultConfig)) {
#if defined(_WIN32)
    if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
#endif
    text += c;
  }
  return text;
}

// Writes the default config.json at path unless something is there, saying so in a line to out;
// returns false when it cannot or must not (outside a server folder, without force).
bool WriteDefaultConfig(const std::string& path, const std::string& serverDir, bool force,
                        std::ostream& out) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file = fs::u8path(path);
  if (fs::exists(file, error)) return true;
  const std::string shown = morrowset::DisplayPath(path);
  const std::string layout = ConfigPath("");  // a path given as the server has it names its folder
  const std::string generic = file.generic_u8string();
  const bool named = generic.size() > layout.size() &&
                     generic.compare(generic.size() - layout.size(), layout.size(), layout) == 0;
  const std::string server =
      serverDir.empty() && named ? generic.substr(0, generic.size() - layout.size()) : serverDir;
  std::string why;
  if (!force)
    why = server.empty()
              ? "--init writes only into a server folder: give --server-dir, or --force to write " + shown +
                    " anyway"
              : morrowset::NotAServerFolder(server);
  if (why.empty()) why = InitRefusal(file, force ? "" : server);
  if (!why.empty()) {
    out << "nothing written: " << why << "\n";
    return false;
  }
  const fs::path folder = file.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, error)) {
    out << "cannot write the default config.json: the folder " << morrowset::DisplayPath(folder.u8string())
        << " does not exist (is the plugin installed there?)\n";
    return false;
  }
  // Created new: never over a file that appeared meanwhile, never through a link.
  if (const std::string failed = morrowset::CreateNewFile(file, DefaultConfigText()); !failed.empty()) {
    out << "cannot write the default config.json: " << shown << ": " << failed << "\n";
    return false;
  }
  out << "wrote the default config.json (every policy off): " << shown << "\n";
  return true;
}

// The plugin DLL of a server folder: beside config.json, named after its folder.
std::string PluginPath(const std::string& serverDir) {
  const std::string config = ConfigPath(serverDir);
  const std::string folder = config.substr(0, config.rfind('/'));
  return folder + folder.substr(folder.rfind('/')) + ".dll";
}

// What the command line asks for.
struct Arguments {
  std::string path;       // the config.json
  std::string serverDir;  // the server folder, when given
  std::string framework;  // --framework
  std::string plugin;     // --plugin
  int configsNamed = 0;   // config.json files and --server-dir folders given
  bool init = false;
  bool force = false;  // --init outside a server folder
  bool strict = false;
  bool json = false;  // one JSON document instead of the text
  bool schema = false;
  bool zones = false;
};

using cli::Kind;
using cli::Value;

bool Named(const Value& v) { return !v.text.empty(); }

const cli::Table<Arguments> kCommandLine = {
    "morrowset-check",
    {"[--init [--force]] [--strict] [--json] PATH-TO-config.json",
     "[--init [--force]] [--strict] [--json] --server-dir DIR",
     "--framework ZELAPI-DLL (--server-dir DIR | --plugin PLUGIN-DLL) [--json]",
     "--schema | --zones | --help | --version"},
    "Checks a config.json with the plugin's own reading code: prints OK, the settings and the policies "
    "start-up will register (exit 0), or the error start-up would end with and what to fix (exit 1); then "
    "the file read and any warnings. Bad arguments exit 2.\n"
    "With --server-dir alone, a DIR/ZelApi.dll beside TolvApi is checked as by --framework after the config.",
    {
        {"--server-dir", "DIR", nullptr, Kind::Text, "a folder",
         "the server folder; checks DIR/" + ConfigPath("").substr(1) + " (also --server-dir=DIR)",
         [](Arguments& a, const Value& v) {
           a.serverDir = v.text;
           a.path = ConfigPath(v.text);
           ++a.configsNamed;
         },
         Named},
        {"--init", "", nullptr, Kind::Switch, "",
         "first write the default config.json (every policy off) if there is none; an existing one is never "
         "changed. It writes only into a server folder (the framework's library beside TolvApi)",
         [](Arguments& a, const Value&) { a.init = true; }},
        {"--force", "", nullptr, Kind::Switch, "",
         "with --init, write the default config.json wherever asked",
         [](Arguments& a, const Value&) { a.force = true; }},
        {"--strict", "", nullptr, Kind::Switch, "", "exit 1 on warnings too",
         [](Arguments& a, const Value&) { a.strict = true; }},
        {"--json", "", nullptr, Kind::Switch, "",
         "one JSON document on standard output instead of the text, with the same exit codes (its schema: "
         "check-report.schema.json beside this program)",
         [](Arguments& a, const Value&) { a.json = true; }},
        {"--framework", "DLL", nullptr, Kind::Text, "a DLL",
         "instead: checks that the framework DLL (the server's ZelApi.dll) exports every function the plugin "
         "DLL imports from it, so that Windows will load the plugin: OK (exit 0), or each missing import "
         "with the framework's nearest export (exit 1)",
         [](Arguments& a, const Value& v) { a.framework = v.text; }, Named},
        {"--plugin", "DLL", nullptr, Kind::Text, "a DLL",
         "the plugin DLL to check; default, with --server-dir, DIR's " + PluginPath("").substr(1),
         [](Arguments& a, const Value& v) { a.plugin = v.text; }, Named},
        {"--schema", "", nullptr, Kind::Switch, "", "print a JSON Schema of config.json, for editors",
         [](Arguments& a, const Value&) { a.schema = true; }},
        {"--zones", "", nullptr, Kind::Switch, "",
         "list the names \"TimeZone\" takes: the zones of the tz database compiled into the plugin",
         [](Arguments& a, const Value&) { a.zones = true; }},
    },
    [](Arguments& a, const std::string& text) {
      a.path = text;
      ++a.configsNamed;
    },
};

int BadUsage(const std::string& why) {
  kCommandLine.PrintRefusal(std::cerr, why);
  return 2;
}

// Prints the run's answer: what --init did, then the text whose first line is the verdict; or
// with --json one document with the verdict and the exit code added. Returns the exit code.
int Answer(const Arguments& args, const std::string& init, const std::string& text, json document, int code) {
  if (!args.json) {
    std::cout << init << text;
    return code;
  }
  json answer = morrowset::ReportHead("morrowset-check", morrowset::kCheckReportVersion, MORROWSET_VERSION,
                                      morrowset::FirstLine(text.empty() ? init : text), code);
  answer.update(
      {{"init", nullptr}, {"config", nullptr}, {"warnings", json::array()}, {"framework", nullptr}});
  answer.update(document);
  std::cout << answer.dump(2) << "\n";
  return code;
}

// Reads the command line; returns -1 to go on, or the exit code (after --help, --version,
// --schema, --zones, or a refusal).
int ReadArguments(const std::vector<std::string>& argv, Arguments& args) {
  std::string why;
  const cli::Outcome outcome =
      kCommandLine.Read(std::vector<std::string>(argv.begin() + 1, argv.end()), args, why);
  if (const int code = kCommandLine.Answer(outcome, why, MORROWSET_VERSION); code >= 0) return code;
  if (args.configsNamed > 1) return BadUsage("give one config.json, or one --server-dir");
  if (args.schema) std::cout << morrowset::Schema().dump(2) << "\n";
  if (args.zones)
    for (const std::string_view zone : TimeZones::Names()) std::cout << zone << "\n";
  return args.schema || args.zones ? 0 : -1;
}

// The framework check alone (--framework); returns the exit code.
int FrameworkMode(const Arguments& args) {
  if (args.init || args.strict) return BadUsage("--framework checks DLLs only: no --init or --strict");
  if (args.plugin.empty() && args.serverDir.empty())
    return BadUsage("--framework needs --server-dir or --plugin");
  if (!args.plugin.empty() && !args.serverDir.empty())
    return BadUsage("give --server-dir or --plugin, not both");
  if (args.serverDir.empty() && !args.path.empty())
    return BadUsage("--framework checks DLLs, not a config.json");
  if (args.force) return BadUsage("--force goes with --init");
  std::ostringstream text;
  json found;
  const int code = morrowset::CheckFrameworkFiles(
      args.plugin.empty() ? PluginPath(args.serverDir) : args.plugin, args.framework, text, found);
  return Answer(args, "", text.str(), {{"framework", found}}, code);
}

// With a server folder: whether it looks like one, and whether its framework will load the
// plugin, or why that was not checked, printed to out and set in found; returns 1 when the
// framework lacks what the plugin needs (out's first line then says so), else 0, and adds what
// it warns about to warnings.
int CheckServerFolder(const std::string& serverDir, std::vector<std::string>& warnings, std::ostream& out,
                      json& found) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_directory(fs::u8path(serverDir), error)) return 0;  // the config's error names the folder
  const std::string framework = serverDir + "/ZelApi.dll";
  const bool hasFramework = fs::is_regular_file(fs::u8path(framework), error);
  if (!hasFramework && !fs::is_regular_file(fs::u8path(serverDir + "/libZelApi.so"), error)) {
    const std::string why = "no ZelApi.dll beside TolvApi in " + morrowset::DisplayPath(serverDir);
    warnings.push_back(morrowset::DisplayPath(serverDir) +
                       " does not look like a server folder (no ZelApi.dll beside TolvApi): "
                       "the server reads the config.json below its own folder");
    out << "framework: not checked: " << why << "\nwarning: " << warnings.back() << "\n";
    found = {{"checked", false}, {"why", why}};
    return 0;
  }
  if (!hasFramework) return 0;  // a Linux server: the check reads Windows images
  if (!fs::is_regular_file(fs::u8path(PluginPath(serverDir)), error)) {
    const std::string why = "no plugin DLL at " + morrowset::DisplayPath(PluginPath(serverDir));
    out << "framework: not checked: " << why << "\n";
    found = {{"checked", false}, {"why", why}};
    return 0;
  }
  return morrowset::CheckFrameworkFiles(PluginPath(serverDir), framework, out, found);
}

// The program, step by step; main() adds only the last word on any exception.
int Main(const std::vector<std::string>& commandLine) {
  // 1. The command line.
  Arguments args;
  if (const int code = ReadArguments(commandLine, args); code >= 0) return code;

  // 2. The framework check, instead of the config's.
  if (!args.framework.empty()) return FrameworkMode(args);
  if (!args.plugin.empty()) return BadUsage("--plugin goes with --framework");

  // 3. The config check, after writing the default config where asked.
  if (args.path.empty()) return BadUsage("which config.json? give its path or --server-dir");
  if (args.force && !args.init) return BadUsage("--force goes with --init");
  std::ostringstream init;
  if (args.init && !WriteDefaultConfig(args.path, args.serverDir, args.force, init))
    return Answer(args, "", init.str(),
                  {{"init", {{"written", false}, {"text", morrowset::FirstLine(init.str())}}}}, 1);
  json document = {{"init", nullptr}};
  if (!init.str().empty()) document["init"] = {{"written", true}, {"text", morrowset::FirstLine(init.str())}};
  const morrowset::ConfigReport report = morrowset::Diagnose(args.path);
  document["config"] = morrowset::ConfigJson(report);

  // 4. A server folder: whether it is one, and whether its framework will load the plugin.
  std::vector<std::string> warnings = report.warnings;
  std::ostringstream framework;
  document["framework"] = nullptr;
  const int frameworkResult =
      args.serverDir.empty() ? 0
                             : CheckServerFolder(args.serverDir, warnings, framework, document["framework"]);
  document["warnings"] = warnings;

  // 5. The verdict of the whole run first: a framework that refuses the plugin outranks a good config.
  const std::string frameworkText = framework.str();
  if (frameworkResult != 0 && report.Loads()) {
    const std::size_t verdictEnd = frameworkText.find('\n') + 1;
    return Answer(args, init.str(),
                  frameworkText.substr(0, verdictEnd) + "config.json: " + report.Text() +
                      frameworkText.substr(verdictEnd),
                  document, 1);
  }
  const int code = frameworkResult != 0               ? 1
                   : args.strict && !warnings.empty() ? 1
                                                      : report.ExitCode(args.strict);
  return Answer(args, init.str(), report.Text() + frameworkText, document, code);
}

// Double-clicked: the check of the server folder the program was unpacked into.
std::vector<std::string> DoubleClick(const std::string& serverDir) { return {"--server-dir", serverDir}; }

}  // namespace

int main(int argc, char** argv) {
  return morrowset::RunGuarded("morrowset-check", Main, DoubleClick, argc, argv);
}
