// The preview's command line, read into its options, and its usage text.
#include "PreviewOptions.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "WallClock.h"

void Usage(std::ostream& out) {
  out << "usage: morrowset-preview --server-dir DIR [--from \"YYYY-MM-DD HH:MM\"] [--for DURATION]\n"
         "                         [--day N] [--day-length S] [--html FILE] [--timeline | --json]\n"
         "Runs the plugin installed in DIR/TolvApi/Plugins/MorrowsetVelde/, as it is, with a copy of\n"
         "its config.json, over the coming days on a simulated clock, and prints what players will\n"
         "see: one line per local date, in the zone of the config's \"TimeZone\" (else the machine's).\n"
         "Nothing is written into DIR. Exit 0; 1 when the config, the plugin or the server's framework\n"
         "would not load (the config's problems as morrowset-check prints them); 2 for bad usage.\n"
         "  --server-dir DIR   the server folder\n"
         "  --from TIME        where the preview starts, a local time in that zone (default: now)\n"
         "  --for DURATION     how long it runs, up to but not including its end: "
      << WallClock::kDurationExamples
      << " (default 14d)\n"
         "  --day N            the day players see now (default: not known; day 1 is assumed)\n"
         "  --day-length S     seconds of the game's own in-game day, which moves the day on by\n"
         "                     itself (default "
      << SecondsText(kDefaultDayLengthSeconds)
      << ", as the development server; 0: none)\n"
         "  --html FILE        also write the preview as a calendar page (one HTML file; never\n"
         "                     below DIR/TolvApi, never over a file that is not such a page)\n"
         "  --timeline         print every change of the day instead of a line per date\n"
         "  --json             one JSON document instead of the text, with the same exit codes\n"
         "                     (its schema: preview-report.schema.json beside this program)\n"
         "  --help, --version  this text; the version\n";
}

int BadUsage(const std::string& why) {
  std::cerr << "morrowset-preview: " << why << "\n";
  Usage(std::cerr);
  return 2;
}

namespace {

// Reads a plain number of seconds with at most three decimals.
bool ParseSeconds(const std::string& text, double& out) {
  const std::size_t dot = text.find('.');
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
      (dot != std::string::npos &&
       (text.find('.', dot + 1) != std::string::npos || text.size() - dot - 1 > 3)) ||
      text.size() > 16)
    return false;
  out = std::strtod(text.c_str(), nullptr);
  return std::isfinite(out);
}

// Reads a day counter: an optional minus sign and decimal digits, within the counter's range.
bool ParseDay(const std::string& text, int32_t& out) {
  const std::size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
  if (text.size() == digits || text.size() > digits + 10 ||
      text.find_first_not_of("0123456789", digits) != std::string::npos)
    return false;
  const long long value = std::stoll(text);
  if (value < INT32_MIN || value > INT32_MAX) return false;
  out = static_cast<int32_t>(value);
  return true;
}

}  // namespace

// Returns seconds as the admin would write them: 1800, 0.5, 1.25.
std::string SecondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  std::string shown = text;
  shown.erase(shown.find_last_not_of('0') + 1);
  if (shown.back() == '.') shown.pop_back();
  return shown;
}

// Returns 0, or the exit code for bad arguments (help and version exit at once).
int ParseOptions(const std::vector<std::string>& argv, Options& options) {
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      std::exit(0);
    } else if (arg == "--version") {
      std::cout << "morrowset-preview " << MORROWSET_VERSION << "\n";
      std::exit(0);
    } else if (arg == "--server-dir" && hasValue) {
      options.serverDir = argv[++i];
    } else if (arg == "--from" && hasValue) {
      options.from = argv[++i];
    } else if (arg == "--for" && hasValue) {
      options.span = argv[++i];
    } else if (arg == "--day" && hasValue) {
      int32_t day = 0;
      if (!ParseDay(argv[i + 1], day))
        return BadUsage("--day takes the day players see now, a whole number: " + argv[i + 1]);
      options.day = day;
      ++i;
    } else if (arg == "--day-length" && hasValue) {
      if (!ParseSeconds(argv[i + 1], options.dayLengthSeconds) ||
          (options.dayLengthSeconds != 0 &&
           (options.dayLengthSeconds < 1 || options.dayLengthSeconds > kLongestDayLengthSeconds)))
        return BadUsage("--day-length takes 0 (none) or seconds from 1 to " +
                        SecondsText(kLongestDayLengthSeconds) + ", with at most 3 decimals: " + argv[i + 1]);
      options.dayLengthGiven = true;
      ++i;
    } else if (arg == "--html" && hasValue) {
      options.html = argv[++i];
    } else if (arg == "--timeline") {
      options.timeline = true;
    } else if (arg == "--json") {
      options.json = true;
    } else {
      return BadUsage("bad argument: " + arg);
    }
  }
  if (options.serverDir.empty()) return BadUsage("--server-dir is required");
  if (options.html.empty() == false && options.timeline)
    return BadUsage("--html goes with the date lines, not --timeline");
  if (options.json && options.timeline) return BadUsage("--json goes with the date lines, not --timeline");
  return 0;
}
