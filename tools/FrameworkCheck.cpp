// Matches a plugin's imports from ZelApi.dll against a framework DLL's exports.
#include "FrameworkCheck.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "CommandLine.h"

namespace morrowset {
namespace {

constexpr const char* kFramework = "ZelApi.dll";

bool SameDll(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Joined(const std::vector<std::string>& innermostFirst) {
  std::string name;
  for (auto it = innermostFirst.rbegin(); it != innermostFirst.rend(); ++it)
    name += (name.empty() ? "" : "::") + *it;
  return name;
}

// "?Name@Inner@Outer@@..." and "??0Class@@..." (a constructor; ??1 a destructor).
std::string MsvcName(const std::string& mangled) {
  std::size_t at = 1;
  const char* structor = nullptr;  // "" for a constructor, "~" for a destructor
  if (mangled.compare(0, 3, "??0") == 0 || mangled.compare(0, 3, "??1") == 0) {
    structor = mangled[2] == '0' ? "" : "~";
    at = 3;
  } else if (mangled.compare(0, 2, "??") == 0) {
    return mangled;  // an operator: no plain name to match by
  }
  std::vector<std::string> parts;
  while (at < mangled.size() && mangled[at] != '@') {
    if (mangled[at] == '?') return mangled;  // a template or nested name: match exactly only
    const std::size_t end = mangled.find('@', at);
    if (end == std::string::npos) return mangled;
    parts.push_back(mangled.substr(at, end - at));
    at = end + 1;
  }
  if (parts.empty()) return mangled;
  if (structor != nullptr) parts.insert(parts.begin(), structor + parts.front());  // Class::Class
  return Joined(parts);
}

// "_ZN[K]<len><name>...E..." or "_Z<len><name>...".
std::string ItaniumName(const std::string& mangled) {
  std::size_t at = 2;
  const bool nested = at < mangled.size() && mangled[at] == 'N';
  if (nested) ++at;
  while (at < mangled.size() && (mangled[at] == 'K' || mangled[at] == 'V')) ++at;
  std::vector<std::string> outermostFirst;
  while (at < mangled.size() && std::isdigit(static_cast<unsigned char>(mangled[at]))) {
    std::size_t length = 0;
    while (at < mangled.size() && std::isdigit(static_cast<unsigned char>(mangled[at])))
      length = length * 10 + static_cast<std::size_t>(mangled[at++] - '0');
    if (length > mangled.size() - at) return mangled;
    outermostFirst.push_back(mangled.substr(at, length));
    at += length;
    if (!nested) break;
  }
  if (outermostFirst.empty()) return mangled;
  if (nested && at + 1 < mangled.size() && (mangled[at] == 'C' || mangled[at] == 'D'))
    outermostFirst.push_back((mangled[at] == 'D' ? "~" : "") + outermostFirst.back());
  std::vector<std::string> innermostFirst(outermostFirst.rbegin(), outermostFirst.rend());
  return Joined(innermostFirst);
}

// The part of each name between their common beginning and their common end.
void Difference(const std::string& ours, const std::string& theirs, std::string& ourPart,
                std::string& theirPart) {
  std::size_t prefix = 0;
  while (prefix < ours.size() && prefix < theirs.size() && ours[prefix] == theirs[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < ours.size() - prefix && suffix < theirs.size() - prefix &&
         ours[ours.size() - 1 - suffix] == theirs[theirs.size() - 1 - suffix])
    ++suffix;
  ourPart = ours.substr(prefix, ours.size() - prefix - suffix);
  theirPart = theirs.substr(prefix, theirs.size() - prefix - suffix);
}

}  // namespace

std::string FunctionName(const std::string& mangled) {
  if (mangled.compare(0, 1, "?") == 0) return MsvcName(mangled);
  if (mangled.compare(0, 2, "_Z") == 0) return ItaniumName(mangled);
  return mangled;
}

FrameworkReport CompareWithFramework(const pe::Image& plugin, const pe::Image& framework) {
  FrameworkReport report;
  report.exports = framework.exports.size();
  const std::set<std::string> exported(framework.exports.begin(), framework.exports.end());
  for (const auto& [dll, names] : plugin.imports) {
    if (!SameDll(dll, kFramework)) continue;
    report.importsFramework = true;
    report.imported += names.size();
    for (const std::string& name : names) {
      if (exported.count(name)) continue;
      MissingImport missing{name, FunctionName(name), "", "", ""};
      // Of the framework's exports of the same function, the one closest to ours.
      std::size_t best = 0;
      for (const std::string& candidate : framework.exports) {
        if (FunctionName(candidate) != missing.function) continue;
        std::string ours, theirs;
        Difference(name, candidate, ours, theirs);
        const std::size_t shared = name.size() - ours.size();
        if (missing.exported.empty() || shared > best) {
          best = shared;
          missing.exported = candidate;
          missing.ours = ours;
          missing.theirs = theirs;
        }
      }
      report.missing.push_back(missing);
    }
  }
  return report;
}

int PrintFrameworkReport(const FrameworkReport& report, const std::string& pluginPath,
                         const std::string& frameworkPath, std::ostream& out) {
  if (!report.importsFramework) {
    out << DisplayPath(pluginPath) << ": imports nothing from " << kFramework
        << ": not a plugin of this framework\n";
    return 1;
  }
  if (report.exports == 0) {
    out << DisplayPath(frameworkPath) << ": exports nothing, so it is not the framework; give the server's "
        << kFramework << ", which exports the functions plugins call\n";
    return 1;
  }
  if (report.missing.empty()) {
    out << "OK: " << DisplayPath(frameworkPath) << " exports all " << report.imported
        << " functions the plugin imports from " << kFramework << "\n";
  } else {
    out << DisplayPath(frameworkPath) << " lacks " << report.missing.size() << " of the " << report.imported
        << " functions the plugin imports from " << kFramework
        << ": Windows will refuse to load the plugin (procedure not found)\n";
    for (const MissingImport& missing : report.missing) {
      out << "missing: " << missing.name << "\n";
      if (missing.exported.empty()) {
        out << "  the framework exports no function " << missing.function << "\n";
        continue;
      }
      out << "  the framework exports " << missing.function << " as " << missing.exported << "\n";
      out << "  they differ where the plugin has \"" << missing.ours << "\" and the framework \""
          << missing.theirs << "\"\n";
    }
  }
  out << "plugin: " << DisplayPath(pluginPath) << "\n";
  out << "framework: " << DisplayPath(frameworkPath) << "\n";
  return report.missing.empty() ? 0 : 1;
}

}  // namespace morrowset
