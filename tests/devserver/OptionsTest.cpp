// The development server's options in-process: what they come to, their refusals and --help.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "Options.h"
#include "WallClock.h"

namespace {

struct Refusal {
  const char* name;
  std::vector<std::string> args;
  std::string error;  // the line after "morrowset-devserver: "
  bool usage;         // followed by the usage
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class RefusedOptions : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedOptions, SayWhyInOneLine) {
  ServerOptions options;
  std::string error;
  bool usage = false;
  EXPECT_EQ(ParseOptions(GetParam().args, options, error, usage), Parsed::Bad);
  EXPECT_EQ(error, GetParam().error);
  EXPECT_EQ(usage, GetParam().usage);
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedOptions,
    ::testing::Values(
        Refusal{"DayShorterThanASecond",
                {"--day-length", "0.5"},
                "--day-length must be 0 (no day cycle) or at least 1 (s): 0.5",
                false},
        Refusal{"DayNotANumber",
                {"--day-length", "inf"},
                "--day-length takes a plain number of seconds: inf",
                false},
        Refusal{"TimerIntervalBelowAMillisecond",
                {"--timer-interval", "0.0001"},
                "--timer-interval must be at least 0.001 (1 ms): 0.0001",
                false},
        Refusal{"TimerIntervalHexadecimal",
                {"--timer-interval", "0x10"},
                "--timer-interval takes a plain number of seconds: 0x10",
                false},
        Refusal{"ClockBefore1970",
                {"--clock", "1969-12-31 23:59"},
                "--clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\" from 1970 to 2261: 1969-12-31 23:59",
                false},
        Refusal{"ClockEmpty",
                {"--clock", ""},
                "--clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\" from 1970 to 2261: \"\"",
                false},
        Refusal{"ForecastEmpty",
                {"--forecast", ""},
                "--forecast takes a duration (90s, 5m, 2h, 3d, 1d12h): \"\"",
                false},
        Refusal{"PortBeyond65535", {"--rcon-port", "65536"}, "bad argument: --rcon-port", true},
        Refusal{"PortNotWhole", {"--rcon-port", "80.5"}, "bad argument: --rcon-port", true},
        Refusal{"NoAdminPlace", {"--rcon-max-clients", "0"}, "bad argument: --rcon-max-clients", true},
        Refusal{"MoreAdminsThanAnIntHolds",
                {"--rcon-max-clients", "1e12"},
                "bad argument: --rcon-max-clients",
                true},
        Refusal{"ValueMissing", {"--tz"}, "bad argument: --tz", true},
        Refusal{"Unknown", {"--colour"}, "bad argument: --colour", true}),
    [](const auto& info) { return std::string(info.param.name); });

// What the options come to: numbers as durations, an empty password as one given, the last of
// a repeated option, and --help or --version ending the reading wherever they stand.
TEST(Options, ValuesBecomeWhatTheServerRunsWith) {
  ServerOptions options;
  std::string error;
  bool usage = false;
  ASSERT_EQ(ParseOptions({"--timer-interval", "0.25", "--rcon-login-timeout", "2.5", "--rcon-idle-timeout",
                          "1e2", "--rcon-password", "", "--day-length", "5", "--day-length", "0"},
                         options, error, usage),
            Parsed::Run)
      << error;
  EXPECT_EQ(options.TimerInterval(), std::chrono::milliseconds(250));
  EXPECT_EQ(options.rconOptions.loginTimeout, std::chrono::milliseconds(2500));
  EXPECT_EQ(options.rconOptions.idleTimeout, std::chrono::seconds(100));
  EXPECT_TRUE(options.passwordGiven);
  EXPECT_EQ(options.rconOptions.password, "");
  EXPECT_EQ(options.dayLengthSeconds, 0);
  EXPECT_EQ(ParseOptions({"--day-length", "5", "--help", "--colour"}, options, error, usage), Parsed::Help);
  EXPECT_EQ(ParseOptions({"--colour", "--version"}, options, error, usage), Parsed::Bad);
  EXPECT_EQ(ParseOptions({"--version", "--colour"}, options, error, usage), Parsed::Version);
}

// --help shows every option the server reads, and only those, each with a line of its own; the
// durations it gives as examples are ones --forecast reads.
TEST(Options, HelpShowsEveryOptionTheServerReads) {
  std::ostringstream help;
  PrintUsage(help);
  std::set<std::string> shown;
  std::istringstream lines(help.str());
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 96u) << line;
    if (line.rfind("  --", 0) != 0) continue;
    std::istringstream words(line);
    std::string name;
    words >> name;
    shown.insert(name.substr(0, name.find(',')));
  }
  shown.erase("--help");
  // The options the development server's page lists are the ones --help shows.
  std::set<std::string> documented;
  std::ifstream page(MORROWSET_SOURCE_DIR "/docs/development-server.md");
  for (std::string line; std::getline(page, line);)
    for (std::size_t at = line.rfind("| `--", 0) == 0 ? 0 : std::string::npos;
         at != std::string::npos && (at = line.find("`--", at)) != std::string::npos &&
         at < line.find(" | ", 2);
         ++at)
      documented.insert(line.substr(at + 1, line.find_first_of(" `", at + 1) - at - 1));
  EXPECT_EQ(shown, documented);
  for (const std::string& name : shown) {
    ServerOptions options;
    std::string error;
    bool usage = false;
    ParseOptions({name, "1"}, options, error, usage);
    EXPECT_NE(error, "bad argument: " + name) << "--help shows an option the server does not read";
    EXPECT_NE(help.str().find("[" + name), std::string::npos) << name << " is missing from the synopsis";
  }
  std::string flat;  // the help as one line, wrapping undone
  for (const char c : help.str())
    if (!(c == ' ' || c == '\n') || (!flat.empty() && flat.back() != ' ')) flat += c == '\n' ? ' ' : c;
  const std::string examples = WallClock::kDurationExamples;
  EXPECT_NE(flat.find(examples), std::string::npos);
  for (std::size_t at = 0; at < examples.size();) {
    const std::size_t end = std::min(examples.find(", ", at), examples.size());
    std::chrono::seconds d{};
    EXPECT_TRUE(WallClock::ParseDuration(examples.substr(at, end - at), d)) << examples.substr(at, end - at);
    at = end + 2;
  }
}

}  // namespace
