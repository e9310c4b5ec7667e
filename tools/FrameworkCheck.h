// Whether a plugin DLL will load against a framework DLL: every function the plugin imports from
// ZelApi.dll must be among the framework's exports, by its exact (mangled) name.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "PeImage.h"

namespace morrowset {

// One import the framework does not export.
struct MissingImport {
  std::string name;      // as the plugin imports it
  std::string function;  // its qualified function name, e.g. "FString::ParseIntoArray"
  std::string exported;  // the framework's export of the same function, or empty if none
  std::string ours;      // where the two names differ: the plugin's part ...
  std::string theirs;    // ... and the framework's
};

struct FrameworkReport {
  bool importsFramework = false;  // the plugin imports from ZelApi.dll at all
  std::size_t imported = 0;       // how many functions it imports from there
  std::size_t exports = 0;        // how many names the framework exports
  std::vector<MissingImport> missing;
};

// The qualified function name in an MSVC or Itanium mangled name; the name itself otherwise.
std::string FunctionName(const std::string& mangled);

// Compares the plugin's imports from ZelApi.dll with the framework's exports.
FrameworkReport CompareWithFramework(const pe::Image& plugin, const pe::Image& framework);

// Prints the report, one line per finding; returns the exit code (0 loads, 1 does not).
int PrintFrameworkReport(const FrameworkReport& report, const std::string& pluginPath,
                         const std::string& frameworkPath, std::ostream& out);

}  // namespace morrowset
