// The development server's options in-process: each row's effect, range and refusal.
#include <gtest/gtest.h>

#include "Options.h"

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

TEST(Options, EachRowSetsItsOptionAndHelpAndVersionStopTheReading) {
  ServerOptions options;
  std::string error;
  bool usage = false;
  const std::vector<std::string> args = {"--server-dir",
                                         "/srv/game",
                                         "--day-length",
                                         "0",
                                         "--timer-interval",
                                         "0.25",
                                         "--clock",
                                         "2027-03-27 00:00",
                                         "--tz",
                                         "UTC0",
                                         "--forecast",
                                         "2d",
                                         "--verbose",
                                         "--no-rcon",
                                         "--rcon-valve-auth",
                                         "--rcon-password",
                                         "",
                                         "--rcon-port",
                                         "0",
                                         "--rcon-max-clients",
                                         "3",
                                         "--rcon-login-timeout",
                                         "2.5",
                                         "--rcon-idle-timeout",
                                         "60"};
  ASSERT_EQ(ParseOptions(args, options, error, usage), Parsed::Run) << error;
  EXPECT_EQ(options.serverDir, "/srv/game");
  EXPECT_EQ(options.dayLengthSeconds, 0);
  EXPECT_EQ(options.timerSeconds, 0.25);
  EXPECT_EQ(options.clock, "2027-03-27 00:00");
  EXPECT_EQ(options.zone, "UTC0");
  EXPECT_EQ(options.forecast, "2d");
  EXPECT_TRUE(options.verbose);
  EXPECT_FALSE(options.rcon);
  EXPECT_TRUE(options.rconOptions.valveAuthPrelude);
  EXPECT_TRUE(options.passwordGiven);
  EXPECT_EQ(options.rconOptions.password, "");
  EXPECT_EQ(options.rconOptions.port, 0);
  EXPECT_EQ(options.rconOptions.maxClients, 3);
  EXPECT_EQ(options.rconOptions.loginTimeout, std::chrono::milliseconds(2500));
  EXPECT_EQ(options.rconOptions.idleTimeout, std::chrono::seconds(60));
  EXPECT_EQ(ParseOptions({"--day-length", "5", "--help", "--colour"}, options, error, usage), Parsed::Help);
  EXPECT_EQ(ParseOptions({"--version"}, options, error, usage), Parsed::Version);
}

}  // namespace
