// Fuzz target: any arguments (the input split at NUL bytes) through the development server's
// option table. Reading ends in one of its outcomes; a refusal is worded as every refusal is; a
// duration read writes back as one that reads the same; the help is never touched by what was read.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "Duration.h"
#include "Options.h"

namespace {

bool StartsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

// Whether why is one of the table's wordings for args: an unknown option, an unexpected
// argument, or a row's name with "needs" or "takes".
bool OneOfTheWordings(const std::string& why) {
  if (StartsWith(why, "unknown option: -") || StartsWith(why, "unexpected argument: ")) return true;
  for (const auto& row : kServerCommandLine.rows)
    if (StartsWith(why, std::string(row.name) + " needs " + row.takes) ||
        StartsWith(why, std::string(row.name) + " takes " + row.takes + ": "))
      return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string help = [] {
    std::ostringstream out;
    kServerCommandLine.PrintHelp(out);
    return out.str();
  }();
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
    if (data[i] == '\0')
      args.emplace_back();
    else
      args.back() += static_cast<char>(data[i]);
  }
  ServerOptions options;
  std::string why;
  const cli::Outcome outcome = kServerCommandLine.Read(args, options, why);
  if (outcome == cli::Outcome::Bad && !OneOfTheWordings(why)) __builtin_trap();
  if (outcome != cli::Outcome::Bad && !why.empty()) __builtin_trap();
  if (outcome == cli::Outcome::Run && !options.forecast.empty()) {
    std::chrono::seconds again{};
    if (!cli::ParseDuration(cli::DurationText(options.forecastLength), again) ||
        again != options.forecastLength)
      __builtin_trap();
  }
  if (outcome == cli::Outcome::Run && (options.dayLengthSeconds < 0 || options.timerSeconds < 0.001))
    __builtin_trap();
  std::ostringstream out;
  kServerCommandLine.PrintHelp(out);
  if (out.str() != help) __builtin_trap();
  return 0;
}
