// The development server's options, one row each: name, value, range, message, effect.
#include "Options.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "WallClock.h"

namespace {

// What an option takes after its name.
enum class Value {
  None,     // a switch
  Text,     // any text
  Seconds,  // a plain decimal number, at least 0
  Whole,    // a plain whole number, at least 0
};

struct OptionRow {
  const char* name;
  Value value;
  const char* shown;  // as --help shows it: "--server-dir DIR"
  std::string help;   // what --help says of it, one paragraph
  // For a number (or a text) the option takes: whether it is in range; null takes all.
  bool (*inRange)(double number, const std::string& text);
  // What is said of a value out of range, or of a number that is no plain number ("takes a plain
  // number of seconds"), before ": <value>"; null says "bad argument" with the usage instead.
  const char* outOfRange;
  const char* notANumber;
  void (*apply)(ServerOptions& options, const std::string& text, double number);
};

std::chrono::milliseconds Milliseconds(double seconds) {
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

static_assert(WallClock::kFirstYear == 1970 && WallClock::kLastYear == 2261,
              "--clock's refusal names the years");

// What --forecast answers to a duration it cannot read.
const std::string kForecastUsage =
    std::string("--forecast takes a duration (") + WallClock::kDurationExamples + ")";
const std::string kForecastHelp = std::string("run the clock DURATION ahead as fast as possible (") +
                                  WallClock::kDurationExamples +
                                  "), print when and by what the day clients see changes, then exit: 0, or 1 "
                                  "when the plugin fails to start or breaks the host contract (the faults "
                                  "are listed)";

const OptionRow kOptions[] = {
    {"--server-dir", Value::Text, "--server-dir DIR",
     "run on an existing server folder (default: a fresh one, removed again at exit)", nullptr, nullptr,
     nullptr, [](ServerOptions& o, const std::string& t, double) { o.serverDir = t; }},
    {"--day-length", Value::Seconds, "--day-length S",
     "seconds per in-game day on the server's clock, 0 stops the cycle (default " +
         std::to_string(static_cast<long long>(kDefaultDayLengthSeconds)) + ")",
     [](double n, const std::string&) { return n == 0 || n >= 1; },
     "--day-length must be 0 (no day cycle) or at least 1 (s)",
     "--day-length takes a plain number of seconds",
     [](ServerOptions& o, const std::string&, double n) { o.dayLengthSeconds = n; }},
    {"--timer-interval", Value::Seconds, "--timer-interval S",
     "seconds between timer callback calls (default " + std::to_string(kDefaultTimerRound.count()) +
         ", at least 0.001)",
     [](double n, const std::string&) { return n >= 0.001; },
     "--timer-interval must be at least 0.001 (1 ms)", "--timer-interval takes a plain number of seconds",
     [](ServerOptions& o, const std::string&, double n) { o.timerSeconds = n; }},
    {"--clock", Value::Text, "--clock TIME",
     "start the server's clock at this local time, \"YYYY-MM-DD HH:MM[:SS]\"; it runs on with the machine's "
     "clock, steps included (default: the machine's time)",
     [](double, const std::string& t) {
       const int year = std::atoi(t.c_str());
       return !t.empty() && year >= WallClock::kFirstYear && year <= WallClock::kLastYear;
     },
     "--clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\" from 1970 to 2261", nullptr,
     [](ServerOptions& o, const std::string& t, double) { o.clock = t; }},
    {"--tz", Value::Text, "--tz ZONE",
     "the server's time zone: an IANA name (Europe/Berlin) or a POSIX TZ string (JST-9); on Windows only the "
     "C runtime's form, NAME[+|-]H[DST] with hours west of UTC (CET-1CEST)",
     nullptr, nullptr, nullptr, [](ServerOptions& o, const std::string& t, double) { o.zone = t; }},
    {"--forecast", Value::Text, "--forecast DURATION", kForecastHelp,
     [](double, const std::string& t) { return !t.empty(); }, kForecastUsage.c_str(), nullptr,
     [](ServerOptions& o, const std::string& t, double) { o.forecast = t; }},
    {"--verbose", Value::None, "--verbose", "also print every engine buffer freed", nullptr, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double) { o.verbose = true; }},
    {"--no-rcon", Value::None, "--no-rcon", "do not listen for RCON", nullptr, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double) { o.rcon = false; }},
    {"--rcon-valve-auth", Value::None, "--rcon-valve-auth",
     "send an empty response before each login answer, as Valve does", nullptr, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double) { o.rconOptions.valveAuthPrelude = true; }},
    {"--rcon-password", Value::Text, "--rcon-password P",
     "RCON password (default: a random one, printed at start-up; an empty one refuses every login)", nullptr,
     nullptr, nullptr,
     [](ServerOptions& o, const std::string& t, double) {
       o.rconOptions.password = t;
       o.passwordGiven = true;
     }},
    {"--rcon-port", Value::Whole, "--rcon-port N",
     "RCON port on 127.0.0.1 (default 27020, 0 picks a free one)",
     [](double n, const std::string&) { return n <= 65535; }, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double n) { o.rconOptions.port = static_cast<int>(n); }},
    {"--rcon-max-clients", Value::Whole, "--rcon-max-clients N", "admins logged in at once (default 16)",
     [](double n, const std::string&) { return n >= 1 && n <= INT_MAX; }, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double n) { o.rconOptions.maxClients = static_cast<int>(n); }},
    {"--rcon-login-timeout", Value::Seconds, "--rcon-login-timeout S",
     "seconds a connection has to log in (default 10)", [](double n, const std::string&) { return n <= 1e9; },
     nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double n) { o.rconOptions.loginTimeout = Milliseconds(n); }},
    {"--rcon-idle-timeout", Value::Seconds, "--rcon-idle-timeout S",
     "seconds an admin may stay silent before the connection is closed (default 300)",
     [](double n, const std::string&) { return n <= 1e9; }, nullptr, nullptr,
     [](ServerOptions& o, const std::string&, double n) { o.rconOptions.idleTimeout = Milliseconds(n); }},
};

// Reads a plain decimal number, at least 0: strtod would also take hexadecimal (0x10), inf and nan.
bool ParseNumber(const std::string& text, double& out) {
  if (text.empty() || std::strspn(text.c_str(), "0123456789.eE+-") != text.size()) return false;
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && std::isfinite(out) && out >= 0;
}

// Reads one option's value into options; false with error set when it is refused.
bool Apply(const OptionRow& row, const std::string& text, ServerOptions& options, std::string& error,
           bool& showUsage) {
  double number = 0;
  const bool numeric = row.value == Value::Seconds || row.value == Value::Whole;
  bool ok =
      !numeric || (ParseNumber(text, number) && (row.value != Value::Whole || number == std::floor(number)));
  const char* message = row.notANumber;
  if (ok && row.inRange && !row.inRange(number, text)) {
    ok = false;
    message = row.outOfRange;
  }
  if (!ok) {
    showUsage = message == nullptr;
    error = message ? std::string(message) + ": " + (text.empty() ? "\"\"" : text)
                    : "bad argument: " + std::string(row.name);
    return false;
  }
  row.apply(options, text, number);
  return true;
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& args, ServerOptions& options, std::string& error,
                    bool& showUsage) {
  showUsage = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return Parsed::Help;
    if (arg == "--version") return Parsed::Version;
    const OptionRow* row = nullptr;
    for (const OptionRow& candidate : kOptions)
      if (arg == candidate.name) row = &candidate;
    const bool hasValue = row && (row->value == Value::None || i + 1 < args.size());
    if (!hasValue) {
      error = "bad argument: " + arg;
      showUsage = true;
      return Parsed::Bad;
    }
    const std::string text = row->value == Value::None ? "" : args[++i];
    if (!Apply(*row, text, options, error, showUsage)) return Parsed::Bad;
  }
  return Parsed::Run;
}

// --help's lines end by this column; each option's help starts at kColumn.
constexpr std::size_t kWidth = 96, kColumn = 26;

void PrintUsage(std::ostream& out) {
  // The synopsis, then each row's help in a column beside it, wrapped at kWidth.
  const std::string usage = "usage: morrowset-devserver";
  std::string line = usage;
  for (const OptionRow& row : kOptions) {
    const std::string item = std::string(" [") + row.shown + "]";
    if (line.size() + item.size() > kWidth) {
      out << line << "\n";
      line = std::string(usage.size(), ' ');
    }
    line += item;
  }
  out << line << "\n";
  auto paragraph = [&out](std::string head, const std::string& text) {
    head.resize(std::max(head.size() + 2, kColumn), ' ');
    std::string words;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = std::min(text.find(' ', at), text.size());
      const std::string word = text.substr(at, end - at);
      if (!words.empty() && head.size() + words.size() + 1 + word.size() > kWidth) {
        out << head << words << "\n";
        head.assign(kColumn, ' ');
        words.clear();
      }
      words += (words.empty() ? "" : " ") + word;
      at = end + 1;
    }
    out << head << words << "\n";
  };
  for (const OptionRow& row : kOptions) paragraph(std::string("  ") + row.shown, row.help);
  paragraph("  --help, --version", "this text; the version");
}
