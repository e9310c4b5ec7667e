// The development server's options in-process: what they come to, their refusals and --help.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "Duration.h"
#include "Options.h"

namespace {

struct Refusal {
  const char* name;
  std::vector<std::string> args;
  std::string why;  // the line after "morrowset-devserver: "
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class RefusedOptions : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedOptions, SayWhyInOneLine) {
  ServerOptions options;
  std::string why;
  EXPECT_EQ(kServerCommandLine.Read(GetParam().args, options, why), cli::Outcome::Bad);
  EXPECT_EQ(why, GetParam().why);
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedOptions,
    ::testing::Values(
        Refusal{"DayShorterThanASecond",
                {"--day-length", "0.5"},
                "--day-length takes 0 (no day cycle) or seconds from 1: 0.5"},
        Refusal{"DayNotANumber",
                {"--day-length", "inf"},
                "--day-length takes 0 (no day cycle) or seconds from 1: inf"},
        Refusal{"TimerIntervalBelowAMillisecond",
                {"--timer-interval", "0.0001"},
                "--timer-interval takes seconds from 0.001 (1 ms): 0.0001"},
        Refusal{"TimerIntervalHexadecimal",
                {"--timer-interval", "0x10"},
                "--timer-interval takes seconds from 0.001 (1 ms): 0x10"},
        Refusal{"ClockBefore1970",
                {"--clock", "1969-12-31 23:59"},
                "--clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\" from 1970 to 2261: 1969-12-31 23:59"},
        Refusal{"ClockEmpty",
                {"--clock", ""},
                "--clock takes a local time \"YYYY-MM-DD HH:MM[:SS]\" from 1970 to 2261: \"\""},
        Refusal{"ForecastEmpty",
                {"--forecast", ""},
                "--forecast takes a duration (90s, 5m, 2h, 3d, 1d12h): \"\""},
        Refusal{"ForecastNoDuration",
                {"--forecast=3 days"},
                "--forecast takes a duration (90s, 5m, 2h, 3d, 1d12h): 3 days"},
        Refusal{
            "PortBeyond65535", {"--rcon-port", "65536"}, "--rcon-port takes a port from 0 to 65535: 65536"},
        Refusal{"PortNotWhole", {"--rcon-port", "80.5"}, "--rcon-port takes a port from 0 to 65535: 80.5"},
        Refusal{"NoAdminPlace",
                {"--rcon-max-clients", "0"},
                "--rcon-max-clients takes a whole number from 1 to 2147483647: 0"},
        Refusal{"MoreAdminsThanAnIntHolds",
                {"--rcon-max-clients", "2147483648"},
                "--rcon-max-clients takes a whole number from 1 to 2147483647: 2147483648"},
        Refusal{"ValueMissing", {"--tz"}, "--tz needs a time zone"},
        Refusal{"SwitchGivenAValue", {"--verbose=yes"}, "unknown option: --verbose=yes"},
        Refusal{"Unknown", {"--colour"}, "unknown option: --colour"},
        Refusal{"Operand", {"srv"}, "unexpected argument: srv"}),
    [](const auto& info) { return std::string(info.param.name); });

// What the options come to: numbers as durations, an empty password as one given, the last of
// a repeated option, a value after "=", and --help or --version ending the reading wherever they
// stand.
TEST(Options, ValuesBecomeWhatTheServerRunsWith) {
  ServerOptions options;
  std::string why;
  ASSERT_EQ(kServerCommandLine.Read(
                {"--timer-interval", "0.25", "--rcon-login-timeout", "2.5", "--rcon-idle-timeout=100",
                 "--rcon-password", "", "--day-length", "5", "--day-length", "0", "--forecast", "1d12h"},
                options, why),
            cli::Outcome::Run)
      << why;
  EXPECT_EQ(options.TimerInterval(), std::chrono::milliseconds(250));
  EXPECT_EQ(options.rconOptions.loginTimeout, std::chrono::milliseconds(2500));
  EXPECT_EQ(options.rconOptions.idleTimeout, std::chrono::seconds(100));
  EXPECT_TRUE(options.passwordGiven);
  EXPECT_EQ(options.rconOptions.password, "");
  EXPECT_EQ(options.dayLengthSeconds, 0);
  EXPECT_EQ(options.forecast, "1d12h");
  EXPECT_EQ(options.forecastLength, std::chrono::hours(36));
  EXPECT_EQ(kServerCommandLine.Read({"--day-length", "5", "--help", "--colour"}, options, why),
            cli::Outcome::Help);
  EXPECT_EQ(kServerCommandLine.Read({"--colour", "--version"}, options, why), cli::Outcome::Bad);
  EXPECT_EQ(kServerCommandLine.Read({"--version", "--colour"}, options, why), cli::Outcome::Version);
}

// --help shows every option the server reads, and only those, each with a line of its own; the
// durations it gives as examples are ones --forecast reads.
TEST(Options, HelpShowsEveryOptionTheServerReads) {
  std::ostringstream help;
  kServerCommandLine.PrintHelp(help);
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
    std::string why;
    kServerCommandLine.Read({name, "1"}, options, why);
    EXPECT_NE(why, "unknown option: " + name) << "--help shows an option the server does not read";
    EXPECT_NE(help.str().find("[" + name), std::string::npos) << name << " is missing from the synopsis";
  }
  std::string flat;  // the help as one line, wrapping undone
  for (const char c : help.str())
    if (!(c == ' ' || c == '\n') || (!flat.empty() && flat.back() != ' ')) flat += c == '\n' ? ' ' : c;
  const std::string examples = cli::kDurationExamples;
  EXPECT_NE(flat.find(examples), std::string::npos);
  for (std::size_t at = 0; at < examples.size();) {
    const std::size_t end = std::min(examples.find(", ", at), examples.size());
    std::chrono::seconds d{};
    EXPECT_TRUE(cli::ParseDuration(examples.substr(at, end - at), d)) << examples.substr(at, end - at);
    at = end + 2;
  }
}

}  // namespace
