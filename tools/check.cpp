// morrowset-check: reads a config.json with the plugin's own reading code and tells the outcome.
//
// The plugin writes no log line, so a bad config.json makes it fail silently on a real server.
// This prints the exact text start-up would end with and, under it, what to fix (exit 1), or
// OK with the settings and the policies start-up would register, in registration order
// (exit 0). Then the file it read, and one warning per line for what loads but likely does not
// do what the admin meant. Bad arguments exit 2; --strict makes warnings exit 1 too.
// --init first writes the default config.json where there is none, for a first install.
// --framework instead checks that a framework DLL exports every function the plugin DLL imports
// from it, which is whether Windows will load the plugin; a server folder holding ZelApi.dll
// gets that check after the config's.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "DefaultConfig.h"
#include "FrameworkCheck.h"
#include "PeImage.h"
#include "config/Config.h"
#include "config/ConfigMembers.h"
#include "day/PolicyTable.h"

namespace {

using nlohmann::json;

void Usage(std::ostream& out) {
  out << "usage: morrowset-check [--init] [--strict] PATH-TO-config.json\n"
         "       morrowset-check [--init] [--strict] --server-dir DIR\n"
         "       morrowset-check --framework ZELAPI-DLL (--server-dir DIR | --plugin PLUGIN-DLL)\n"
         "       morrowset-check --schema | --help | --version\n"
         "Checks a config.json with the plugin's own reading code: prints OK, the settings and\n"
         "the policies start-up will register (exit 0), or the error start-up would end with and\n"
         "what to fix (exit 1); then the file read and any warnings. Bad arguments exit 2.\n"
         "  --server-dir DIR  the server folder; checks DIR/TolvApi/Plugins/MorrowsetVelde/config.json\n"
         "                    (also --server-dir=DIR)\n"
         "  --init            first write the default config.json (every policy off) if there is\n"
         "                    none; an existing one is never changed\n"
         "  --strict          exit 1 on warnings too\n"
         "  --framework DLL   instead: checks that the framework DLL (the server's ZelApi.dll)\n"
         "                    exports every function the plugin DLL imports from it, so that\n"
         "                    Windows will load the plugin: OK (exit 0), or each missing import\n"
         "                    with the framework's nearest export (exit 1)\n"
         "  --plugin DLL      the plugin DLL to check; default, with --server-dir, DIR's\n"
         "                    TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.dll\n"
         "With --server-dir alone, a DIR/ZelApi.dll beside TolvApi is checked as by --framework\n"
         "after the config.\n"
         "  --schema          print a JSON Schema of config.json, for editors\n"
         "  --help            this text\n"
         "  --version         the version\n";
}

int BadUsage(const std::string& why) {
  std::cerr << "morrowset-check: " << why << "\n";
  Usage(std::cerr);
  return 2;
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

const char* TypeName(const json& value) {
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::object:
      return "an object";
    case json::value_t::array:
      return "an array";
    case json::value_t::string:
      return "a string";
    case json::value_t::boolean:
      return "a boolean";
    default:
      return "a number";
  }
}

// Prints the JSON Schema of config.json, from the table of members.
void PrintSchema() {
  json schema = {{"$schema", "https://json-schema.org/draft/2020-12/schema"},
                 {"title", "Morrowset config.json"},
                 {"type", "object"}};
  json required = json::array();
  for (const ConfigMember& member : kConfigMembers) {
    json property;
    if (member.isSwitch) {
      property = {{"type", "boolean"}};
    } else {
      property = {{"type", {"number", "boolean"}}, {"description", member.drives}};
    }
    for (const DayPolicy& policy : kDayPolicies)
      if (member.name == std::string(policy.switchMember))
        property["description"] = std::string("switches on the policy ") + policy.timer;
    schema["properties"][member.name] = property;
    if (member.required) required.push_back(member.name);
  }
  schema["required"] = required;
  std::cout << schema.dump(2) << "\n";
}

// Writes the default config.json at path unless a file is there; returns false when it cannot.
bool WriteDefaultConfig(const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return true;
  std::ofstream file(path, std::ios::binary);
  file << kDefaultConfig;
  file.close();
  if (!file) {
    std::cout << "cannot write the default config.json: " << path << "\n";
    return false;
  }
  std::cout << "wrote the default config.json (every policy off): " << path << "\n";
  return true;
}

// Returns the edit distance of two names, case ignored.
std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Returns the member a key not read by the plugin was likely meant to be, if any: the same name
// in another case or with stray white space, or one or two letters off.
std::optional<std::string> NearMiss(const std::string& key) {
  std::string trimmed = key;
  trimmed.erase(0, trimmed.find_first_not_of(" \t\r\n"));
  trimmed.erase(trimmed.find_last_not_of(" \t\r\n") + 1);
  for (const ConfigMember& member : kConfigMembers)
    if (key == member.name) return std::nullopt;
  for (const ConfigMember& member : kConfigMembers)
    if (Distance(trimmed, member.name) <= 2) return std::string(member.name);
  return std::nullopt;
}

// What the file says, read apart from the plugin: every top-level key in file order (duplicates
// included), the document, and whether anything follows the object.
struct FileView {
  bool parsed = false;
  std::vector<std::string> keys;
  json document;
  bool trailingText = false;
};

// Collects the top-level keys of an object, in file order, duplicates included.
class KeyCollector : public nlohmann::json_sax<json> {
 public:
  explicit KeyCollector(std::vector<std::string>& keys) : keys_(keys) {}
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return ++depth_, true; }
  bool key(string_t& key) override {
    if (depth_ == 1) keys_.push_back(key);
    return true;
  }
  bool end_object() override { return --depth_, true; }
  bool start_array(std::size_t) override { return ++depth_, true; }
  bool end_array() override { return --depth_, true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  std::vector<std::string>& keys_;
  int depth_ = 0;
};

FileView ReadView(const std::string& text) {
  FileView view;
  std::istringstream stream(text);
  try {
    stream >> view.document;  // as the plugin reads it: the first value, nothing after it
  } catch (const std::exception&) {
    return view;
  }
  view.parsed = true;
  KeyCollector keys(view.keys);
  json::sax_parse(text, &keys, nlohmann::detail::input_format_t::json, false);
  view.trailingText = !json::accept(text);
  return view;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Explains a failed start-up in one line: the member, what was found, what is expected.
std::string Explain(const std::string& what, const std::string& path, const std::string& text,
                    const FileView& view) {
  std::error_code ec;
  if (what == "Can't open config.json") {
    if (std::filesystem::is_directory(path, ec)) return "the path is a folder, not a file: " + path;
    if (!std::filesystem::exists(path, ec))
      return "there is no file at " + path + " (a first install? morrowset-check --init writes the default)";
    return "the file cannot be read (permissions?): " + path;
  }
  std::smatch match;
  if (std::regex_search(what, match, std::regex("at line (\\d+), column (\\d+)"))) {
    const int lineNumber = std::stoi(match[1]);
    std::istringstream lines(text);
    std::string line;
    for (int i = 0; i < lineNumber && std::getline(lines, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return "line " + match[1].str() + ", column " + match[2].str() + ": " + line;
  }
  if (what.find("out_of_range.406") != std::string::npos)
    return "a number is too large for any number type; day numbers run from -2147483648 to 2147483647";
  if (what.find("type_error.305") != std::string::npos)
    return "the file holds " + std::string(TypeName(view.document)) +
           ", not an object { } with the members \"ForceDay\", \"DayToForce\", ...";
  if (!view.parsed || !view.document.is_object()) {
    if (view.document.is_null()) return "the file holds null, not an object { } with the members";
    return "";
  }
  // The first member, in start-up's order, that is missing or of the wrong type.
  for (const ConfigMember& member : kConfigMembers) {
    const std::string expected = member.isSwitch ? "it takes true or false" : "it takes a number";
    const auto found = view.document.find(member.name);
    if (found == view.document.end()) {
      if (!member.required) continue;
      std::string line = Quoted(member.name) + " is missing: " + expected;
      for (const auto& key : view.keys)
        if (NearMiss(key) == std::string(member.name))
          line += "; the file has " + Quoted(key) + ": did you mean " + Quoted(member.name) + "?";
      return line;
    }
    const bool fits = member.isSwitch ? found->is_boolean() : (found->is_number() || found->is_boolean());
    if (!fits) {
      std::string line = Quoted(member.name) + " is " + found->dump();
      if (!found->is_null()) line += std::string(" (") + TypeName(*found) + ")";
      line += ": " + expected;
      if (!member.required) line += ", or leave it out";
      return line;
    }
  }
  return "";
}

// Returns what the plugin holds for a day number, and how it differs from the file, if it does.
std::optional<std::string> HeldDifferently(const json& value, int32_t held) {
  if (value.is_boolean()) return std::nullopt;
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (number == static_cast<double>(held)) return std::nullopt;
    const bool inRange = number > std::numeric_limits<int32_t>::min() - 1.0 &&
                         number < std::numeric_limits<int32_t>::max() + 1.0;
    return inRange ? "truncated" : "clamped to 32 bits";
  }
  if (value.is_number_unsigned() && value.get<uint64_t>() == static_cast<uint64_t>(held) && held >= 0)
    return std::nullopt;
  if (value.is_number_integer() && value.get<int64_t>() == held) return std::nullopt;
  return "wrapped to 32 bits";
}

std::vector<std::string> Warnings(const FileView& view, bool loaded) {
  std::vector<std::string> warnings;
  if (!view.parsed) return warnings;
  if (view.trailingText) warnings.push_back("text after the closing brace is never read");
  std::map<std::string, int> count;
  for (const auto& key : view.keys) ++count[key];
  for (const auto& key : view.keys) {
    if (count[key] == 0) continue;  // reported already
    if (count[key] > 1)
      warnings.push_back(Quoted(key) + " is given " + std::to_string(count[key]) +
                         " times; only the last one counts (" + view.document[key].dump() + ")");
    count[key] = 0;
    // A near miss of a required member that is missing goes with the start-up error instead.
    const auto meant = NearMiss(key);
    if (!meant) continue;
    const bool present = view.document.contains(*meant);
    const bool required = std::any_of(std::begin(kConfigMembers), std::end(kConfigMembers),
                                      [&](const ConfigMember& m) { return m.required && m.name == *meant; });
    if (present || !required)
      warnings.push_back(Quoted(key) + " is not read by the plugin and is ignored: did you mean " +
                         Quoted(*meant) + "?" + (present ? " (that one is there too)" : ""));
  }
  if (!loaded) return warnings;

  for (const ConfigMember& member : kConfigMembers) {
    if (member.isSwitch) continue;
    const int32_t held = member.held();
    if (const auto how = HeldDifferently(view.document[member.name], held))
      warnings.push_back(Quoted(member.name) + " is " + view.document[member.name].dump() +
                         " in the file; the plugin holds " + std::to_string(held) + " (" + *how + ")");
  }

  // Policies that write the day on their own schedules overwrite each other.
  std::vector<std::string> writers;
  for (const DayPolicy& policy : kDayPolicies)
    if (std::string(policy.timer) != "resetdays" && policy.switchedOn())
      writers.push_back(std::string(policy.timer) + " (every " +
                        (policy.intervalSeconds == 60
                             ? std::string("minute")
                             : std::to_string(policy.intervalSeconds / 60) + " minutes") +
                        ")");
  if (writers.size() > 1) {
    std::string list;
    for (std::size_t i = 0; i < writers.size(); ++i)
      list += (i == 0 ? "" : i + 1 == writers.size() ? " and " : ", ") + writers[i];
    warnings.push_back(list +
                       (writers.size() == 2 ? " both write the day: each overwrites the other's"
                                            : " all write the day: each overwrites the others'") +
                       " value when it runs");
  }
  if (Settings::ResetWhenReachDay) {
    if (Settings::DayToSetWhenReset >= Settings::DayToReset)
      warnings.push_back("resetdays writes \"DayToSetWhenReset\" " +
                         std::to_string(Settings::DayToSetWhenReset) + ", not below \"DayToReset\" " +
                         std::to_string(Settings::DayToReset) + ": it rewrites the day every minute");
    if (Settings::ForceDay && Settings::DayToForce >= Settings::DayToReset)
      warnings.push_back("forceday holds day " + std::to_string(Settings::DayToForce) +
                         ", at or past \"DayToReset\" " + std::to_string(Settings::DayToReset) +
                         ": resetdays undoes it within a minute, every time");
  }
  return warnings;
}

const char* Flag(bool value) { return value ? "true" : "false"; }

// The plugin DLL of a server folder: beside config.json, named after its folder.
std::string PluginPath(const std::string& serverDir) {
  const std::string config = ConfigPath(serverDir);
  const std::string folder = config.substr(0, config.rfind('/'));
  return folder + folder.substr(folder.rfind('/')) + ".dll";
}

// Checks that the framework exports what the plugin imports; returns the exit code.
int CheckFramework(const std::string& pluginPath, const std::string& frameworkPath) {
  morrowset::pe::Image plugin, framework;
  std::string why;
  if (!morrowset::pe::Read(pluginPath, plugin, why) || !morrowset::pe::Read(frameworkPath, framework, why)) {
    std::cout << why << "\n";
    return 1;
  }
  return morrowset::PrintFrameworkReport(morrowset::CompareWithFramework(plugin, framework), pluginPath,
                                         frameworkPath, std::cout);
}

}  // namespace

int main(int argc, char** argv) {
  // 1. The command line.
  std::string path;
  std::string serverDir;
  std::string framework;
  std::string plugin;
  bool init = false;
  bool strict = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "morrowset-check " << MORROWSET_VERSION << "\n";
      return 0;
    }
    if (arg == "--schema") {
      PrintSchema();
      return 0;
    }
    std::string dir;
    if (arg == "--init") {
      init = true;
      continue;
    } else if (arg == "--strict") {
      strict = true;
      continue;
    } else if (arg == "--framework" || arg == "--plugin") {
      if (i + 1 == argc || argv[i + 1][0] == '\0') return BadUsage(arg + " needs a DLL");
      (arg == "--framework" ? framework : plugin) = argv[++i];
      continue;
    } else if (arg == "--server-dir") {
      if (i + 1 == argc) return BadUsage("--server-dir needs a folder");
      dir = argv[++i];
    } else if (arg.rfind("--server-dir=", 0) == 0) {
      dir = arg.substr(std::string("--server-dir=").size());
      if (dir.empty()) return BadUsage("--server-dir needs a folder");
    } else if (arg.rfind("-", 0) == 0) {
      return BadUsage("unknown option: " + arg);
    }
    if (!path.empty()) return BadUsage("give one config.json, or one --server-dir");
    path = dir.empty() ? arg : ConfigPath(dir);
    serverDir = dir;
  }

  // 2. The framework check, instead of the config's.
  if (!framework.empty()) {
    if (init || strict) return BadUsage("--framework checks DLLs only: no --init or --strict");
    if (plugin.empty() && serverDir.empty()) return BadUsage("--framework needs --server-dir or --plugin");
    if (!plugin.empty() && !serverDir.empty()) return BadUsage("give --server-dir or --plugin, not both");
    if (serverDir.empty() && !path.empty()) return BadUsage("--framework checks DLLs, not a config.json");
    return CheckFramework(plugin.empty() ? PluginPath(serverDir) : plugin, framework);
  }
  if (!plugin.empty()) return BadUsage("--plugin goes with --framework");

  // 3. The config check.
  if (path.empty()) return BadUsage("which config.json? give its path or --server-dir");
  if (init && !WriteDefaultConfig(path)) return 1;

  // The plugin's own reading, then the policies in start-up's order.
  std::vector<std::string> policies;
  std::string failure;
  try {
    ReadConfigFile(path);
    for (const DayPolicy& policy : kDayPolicies)
      if (policy.switchedOn()) policies.push_back(policy.timer);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  const std::string text = ReadAll(path);
  const FileView view = ReadView(text);

  if (!failure.empty()) {
    std::cout << failure << "\n";
    const std::string why = Explain(failure, path, text, view);
    if (!why.empty()) std::cout << why << "\n";
  } else {
    std::cout << "OK\n";
    for (const ConfigMember& member : kConfigMembers) {
      const int32_t held = member.held();
      std::cout << member.name << "=" << (member.isSwitch ? Flag(held != 0) : std::to_string(held)) << "\n";
    }
    std::cout << "policies=";
    if (policies.empty()) std::cout << "none";
    for (std::size_t i = 0; i < policies.size(); ++i) std::cout << (i ? "," : "") << policies[i];
    std::cout << "\n";
  }
  std::cout << "file: " << path << "\n";
  const auto warnings = Warnings(view, failure.empty());
  for (const auto& warning : warnings) std::cout << "warning: " << warning << "\n";

  // 4. A Windows server folder holding the framework: whether it will load the plugin, too.
  int frameworkResult = 0;
  const std::string serverFramework = serverDir + "/ZelApi.dll";
  if (!serverDir.empty() && std::filesystem::is_regular_file(serverFramework) &&
      std::filesystem::is_regular_file(PluginPath(serverDir)))
    frameworkResult = CheckFramework(PluginPath(serverDir), serverFramework);
  if (!failure.empty() || frameworkResult != 0) return 1;
  return strict && !warnings.empty() ? 1 : 0;
}
