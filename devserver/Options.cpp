// The development server's options, one row each: name, what it takes, what it does, its effect.
#include "Options.h"

#include <climits>
#include <string>

#include "Duration.h"
#include "WallClock.h"

namespace {

using cli::Kind;
using cli::Value;

std::chrono::milliseconds Milliseconds(double seconds) {
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

std::string Seconds(std::chrono::milliseconds ms) { return cli::SecondsText(ms.count() / 1000.0); }

constexpr int kHighestPort = 65535;
constexpr double kLongestTimeoutSeconds = 1e9;  // about 31 years: as good as none

const std::string kYears =
    std::to_string(WallClock::kFirstYear) + " to " + std::to_string(WallClock::kLastYear);
const std::string kDuration = std::string("a duration (") + cli::kDurationExamples + ")";

}  // namespace

const cli::Table<ServerOptions> kServerCommandLine = {
    "morrowset-devserver",
    {},
    "",
    {
        {"--server-dir", "DIR", nullptr, Kind::Text, "a folder",
         "run on an existing server folder (default: a fresh one, removed again at exit)",
         [](ServerOptions& o, const Value& v) { o.serverDir = v.text; }},
        {"--day-length", "S", nullptr, Kind::Number, "0 (no day cycle) or seconds from 1",
         "seconds per in-game day on the server's clock, 0 stops the cycle (default {default})",
         [](ServerOptions& o, const Value& v) { o.dayLengthSeconds = v.number; },
         [](const Value& v) { return v.number == 0 || v.number >= 1; },
         [](const ServerOptions& o) { return cli::SecondsText(o.dayLengthSeconds); }},
        {"--timer-interval", "S", nullptr, Kind::Number, "seconds from 0.001 (1 ms)",
         "seconds between timer callback calls (default {default}, at least 0.001)",
         [](ServerOptions& o, const Value& v) { o.timerSeconds = v.number; },
         [](const Value& v) { return v.number >= 0.001; },
         [](const ServerOptions& o) { return cli::SecondsText(o.timerSeconds); }},
        {"--clock", "TIME", nullptr, Kind::Text, "a local time \"YYYY-MM-DD HH:MM[:SS]\" from " + kYears,
         "start the server's clock at this local time, \"YYYY-MM-DD HH:MM[:SS]\"; it runs on with the "
         "machine's clock, steps included (default: the machine's time)",
         [](ServerOptions& o, const Value& v) { o.clock = v.text; },
         [](const Value& v) {
           const int year = std::atoi(v.text.c_str());
           return !v.text.empty() && year >= WallClock::kFirstYear && year <= WallClock::kLastYear;
         }},
        {"--tz", "ZONE", nullptr, Kind::Text, "a time zone",
         "the server's time zone: an IANA name (Europe/Berlin) or a POSIX TZ string (JST-9); on Windows only "
         "the C runtime's form, NAME[+|-]H[DST] with hours west of UTC (CET-1CEST)",
         [](ServerOptions& o, const Value& v) { o.zone = v.text; }},
        {"--forecast", "DURATION", nullptr, Kind::Duration, kDuration,
         std::string("run the clock DURATION ahead as fast as possible (") + cli::kDurationExamples +
             "), print when and by what the day clients see changes, then exit: 0, or 1 when the plugin "
             "fails to start or breaks the host contract (the faults are listed)",
         [](ServerOptions& o, const Value& v) {
           o.forecast = v.text;
           o.forecastLength = v.duration;
         }},
        {"--verbose", "", nullptr, Kind::Switch, "", "also print every engine buffer freed",
         [](ServerOptions& o, const Value&) { o.verbose = true; }},
        {"--no-rcon", "", nullptr, Kind::Switch, "", "do not listen for RCON",
         [](ServerOptions& o, const Value&) { o.rcon = false; }},
        {"--rcon-valve-auth", "", nullptr, Kind::Switch, "",
         "send an empty response before each login answer, as Valve does",
         [](ServerOptions& o, const Value&) { o.rconOptions.valveAuthPrelude = true; }},
        {"--rcon-password", "P", nullptr, Kind::Text, "a password",
         "RCON password (default: a random one, printed at start-up; an empty one refuses every login)",
         [](ServerOptions& o, const Value& v) {
           o.rconOptions.password = v.text;
           o.passwordGiven = true;
         }},
        {"--rcon-port", "N", nullptr, Kind::Whole, "a port from 0 to " + std::to_string(kHighestPort),
         "RCON port on 127.0.0.1 (default {default}, 0 picks a free one)",
         [](ServerOptions& o, const Value& v) { o.rconOptions.port = static_cast<int>(v.number); },
         [](const Value& v) { return v.number <= kHighestPort; },
         [](const ServerOptions& o) { return std::to_string(o.rconOptions.port); }},
        {"--rcon-max-clients", "N", nullptr, Kind::Whole,
         "a whole number from 1 to " + std::to_string(INT_MAX),
         "admins logged in at once (default {default})",
         [](ServerOptions& o, const Value& v) { o.rconOptions.maxClients = static_cast<int>(v.number); },
         [](const Value& v) { return v.number >= 1 && v.number <= INT_MAX; },
         [](const ServerOptions& o) { return std::to_string(o.rconOptions.maxClients); }},
        {"--rcon-login-timeout", "S", nullptr, Kind::Number,
         "seconds up to " + cli::SecondsText(kLongestTimeoutSeconds),
         "seconds a connection has to log in (default {default})",
         [](ServerOptions& o, const Value& v) { o.rconOptions.loginTimeout = Milliseconds(v.number); },
         [](const Value& v) { return v.number <= kLongestTimeoutSeconds; },
         [](const ServerOptions& o) { return Seconds(o.rconOptions.loginTimeout); }},
        {"--rcon-idle-timeout", "S", nullptr, Kind::Number,
         "seconds up to " + cli::SecondsText(kLongestTimeoutSeconds),
         "seconds an admin may stay silent before the connection is closed (default {default})",
         [](ServerOptions& o, const Value& v) { o.rconOptions.idleTimeout = Milliseconds(v.number); },
         [](const Value& v) { return v.number <= kLongestTimeoutSeconds; },
         [](const ServerOptions& o) { return Seconds(o.rconOptions.idleTimeout); }},
    },
};
