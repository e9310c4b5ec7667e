// The host's one-line status and its local-time texts, for the server's status and its output.
#include <algorithm>
#include <ctime>
#include <sstream>

#include "Internal.h"

namespace DevHost {
namespace {

// Names joined with commas, or "-" for none.
std::string Joined(const std::vector<std::string>& names) {
  if (names.empty()) return "-";
  std::string joined;
  for (const auto& name : names) joined += (joined.empty() ? "" : ",") + name;
  return joined;
}

TimeFormatter& Formatter() {
  static TimeFormatter formatter;
  return formatter;
}

}  // namespace

void SetTimeFormatter(TimeFormatter formatter) { Formatter() = std::move(formatter); }

std::string LocalTime(std::chrono::system_clock::time_point t, const char* format) {
  if (Formatter()) return Formatter()(std::chrono::floor<std::chrono::seconds>(t), format);
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(t));
  std::tm local{};
#if defined(_WIN32)
  if (localtime_s(&local, &seconds) != 0) return "?";
#else
  if (localtime_r(&seconds, &local) == nullptr) return "?";
#endif
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, format, &local));
}

std::string StatusLine() {
  std::string plugins;
  const auto names = PluginNames();
  for (const auto& name : names) {
    const PluginState state = StateOf(name);
    const char* text = state == PluginState::Loaded   ? "loaded"
                       : state == PluginState::Failed ? "failed"
                                                      : "unloaded";
    plugins += (plugins.empty() ? "" : ",") + (names.size() > 1 ? name + ":" : "") + text;
  }
  std::ostringstream line;
  line << "day=" << Day() << " replicated=" << ReplicatedDay()
       << " plugin=" << (plugins.empty() ? "none" : plugins) << " console=" << Joined(ConsoleCommands())
       << " rcon=" << Joined(RconCommands()) << " timers=" << Joined(Timers())
       << " buffers=" << OutstandingBuffers() << " log_lines=" << SinkLines().size()
       << " faults=" << Faults().size();
  // The wall clock as the game reads it, and when each timer last wrote the day.
  const auto now = std::chrono::system_clock::now();
  std::string zone = LocalTime(now, "%Z");  // Windows names its zones in words
  std::replace(zone.begin(), zone.end(), ' ', '_');
  line << " clock=" << LocalTime(now, "%Y-%m-%dT%H:%M:%S") << " zone=" << zone << " timer_writes=";
  std::string writes;
  for (const auto& name : Timers()) {
    std::chrono::system_clock::time_point when;
    writes += (writes.empty() ? "" : ",") + name + "@" +
              (Internal::LastWriteOf(name, when) ? LocalTime(when, "%Y-%m-%dT%H:%M:%S") : "never");
  }
  line << (writes.empty() ? "-" : writes);
  return line.str();
}

}  // namespace DevHost
