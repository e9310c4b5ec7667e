// config.json through the built plugin: start-up's exact error texts and the values it reads.
#include <climits>
#include <cstdio>
#include <filesystem>

#include "config/zones/TimeZone.h"
#include "support/PluginHost.h"

namespace morrowset::test {
namespace {

const std::string kPrefix302 = "[json.exception.type_error.302] type must be ";
const std::string kEndOfInput =
    "syntax error while parsing value - unexpected end of input; expected '[', '{', or a literal";

// A config with every required member valid, one of them replaced by `member: value`.
std::string With(const std::string& member, const std::string& value) {
  std::string json = ConfigJson(false, false, false);
  const std::string key = "\"" + member + "\": ";
  const auto at = json.find(key);
  const auto end = json.find_first_of(",}", at);
  return json.substr(0, at) + key + value + json.substr(end);
}

std::string Without(const std::string& member) {
  std::string json = ConfigJson(false, false, false);
  const auto at = json.find("\"" + member + "\"");
  const auto end = json.find_first_of(",}", at);
  const bool last = json[end] == '}';
  return last ? json.substr(0, json.rfind(',', at)) + "}" : json.substr(0, at) + json.substr(end + 2);
}

// A config with every policy but the month day on, and this "TimeZone".
std::string WithZone(const std::string& value) {
  return WithMember(ConfigJson(true, true, true), "TimeZone", value);
}

std::string UnknownZone(const std::string& name) {
  return "\"TimeZone\": \"" + name + "\" is not a known time zone (tz database " + TimeZones::DataVersion() +
         "); give its name as the tz database spells it, such as \"Europe/Berlin\"";
}

struct ErrorCase {
  std::string name;
  std::string file;
  std::string error;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

const std::vector<ErrorCase>& ErrorCases() {
  static const std::vector<ErrorCase> cases = {
      {"Empty", "", "[json.exception.parse_error.101] parse error at line 1, column 1: " + kEndOfInput},
      {"WhiteSpace", "  \n ",
       "[json.exception.parse_error.101] parse error at line 2, column 2: " + kEndOfInput},
      {"Comment", "// settings\n{}",
       "[json.exception.parse_error.101] parse error at line 1, column 1: syntax error while "
       "parsing value - invalid literal; last read: '/'"},
      {"TrailingComma", "{\"ForceDay\": true,}",
       "[json.exception.parse_error.101] parse error at line 1, column 19: syntax error while "
       "parsing object key - unexpected '}'; expected string literal"},
      {"SingleQuotes", "{'ForceDay': true}",
       "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error while "
       "parsing object key - invalid literal; last read: '{''; expected string literal"},
      {"UnclosedString", "{\"ForceDay",
       "[json.exception.parse_error.101] parse error at line 1, column 11: syntax error while "
       "parsing object key - invalid string: missing closing quote; last read: '\"ForceDay'; "
       "expected string literal"},
      {"BadBom", "\xEF\xBB{}",
       "[json.exception.parse_error.101] parse error at line 1, column 3: syntax error while "
       "parsing value - invalid BOM; must be 0xEF 0xBB 0xBF if given; last read: '\xEF\xBB{'"},
      {"NumberOverflow", With("DayToReset", "1e400"),
       "[json.exception.out_of_range.406] number overflow parsing '1e400'"},
      {"TopLevelArray", "[]",
       "[json.exception.type_error.305] cannot use operator[] with a string argument with array"},
      {"TopLevelString", "\"x\"",
       "[json.exception.type_error.305] cannot use operator[] with a string argument with string"},
      {"TopLevelNumber", "5",
       "[json.exception.type_error.305] cannot use operator[] with a string argument with number"},
      {"TopLevelBoolean", "true",
       "[json.exception.type_error.305] cannot use operator[] with a string argument with boolean"},
      {"TopLevelNull", "null", kPrefix302 + "boolean, but is null"},
      {"MissingBool", Without("FollowWeekCycle"), kPrefix302 + "boolean, but is null"},
      {"MissingNumber", Without("DayToSetWhenReset"), kPrefix302 + "number, but is null"},
      {"WrongCase", "{\"forceday\": true}", kPrefix302 + "boolean, but is null"},
      {"BoolAsNumber", With("ForceDay", "1"), kPrefix302 + "boolean, but is number"},
      {"BoolAsString", With("ResetWhenReachDay", "\"true\""), kPrefix302 + "boolean, but is string"},
      {"NumberAsString", With("DayToForce", "\"5\""), kPrefix302 + "number, but is string"},
      {"NumberAsArray", With("DayToReset", "[5]"), kPrefix302 + "number, but is array"},
      {"NumberAsObject", With("DayToForce", "{}"), kPrefix302 + "number, but is object"},
      {"MonthDayNull", ConfigJson(true, false, true, "null"), kPrefix302 + "boolean, but is null"},
      {"MonthDayString", ConfigJson(false, false, false, "\"yes\""), kPrefix302 + "boolean, but is string"},
      {"MonthDayNumber", ConfigJson(false, false, false, "1"), kPrefix302 + "boolean, but is number"},
      {"ZoneNumber", WithZone("5"), kPrefix302 + "string, but is number"},
      {"ZoneNull", WithZone("null"), kPrefix302 + "string, but is null"},
      {"ZoneMisspelt", WithZone("\"Europe/Berln\""), UnknownZone("Europe/Berln")},
      {"ZoneInTheWrongCase", WithZone("\"europe/berlin\""), UnknownZone("europe/berlin")},
      {"ZoneOfWindows", WithZone("\"W. Europe Standard Time\""), UnknownZone("W. Europe Standard Time")},
      {"ZoneEmpty", WithZone("\"\""), UnknownZone("")},
      // Names a time library may read on its own, but no zone of the database.
      {"ZoneLocaltime", WithZone("\"localtime\""), UnknownZone("localtime")},
      {"ZoneFixedOffset", WithZone("\"Fixed/UTC+01:00:00\""), UnknownZone("Fixed/UTC+01:00:00")},
      {"ZoneFileOfTheMachine", WithZone("\"/etc/localtime\""), UnknownZone("/etc/localtime")},
  };
  return cases;
}

class StartUpError : public PluginTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(StartUpError, EndsLoadWithTheExactTextAndLeavesNothingRegistered) {
  WriteConfig(GetParam().file);
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), GetParam().error);
  EXPECT_EQ(DevHost::StateOf("MorrowsetVelde"), DevHost::PluginState::Failed);
  EXPECT_EQ(DevHost::ConsoleCommands(), Seq{});
  EXPECT_EQ(DevHost::Timers(), Seq{});
}

INSTANTIATE_TEST_SUITE_P(Rows, StartUpError, ::testing::ValuesIn(ErrorCases()),
                         [](const auto& info) { return info.param.name; });

using StartUp = PluginTest;

TEST_F(StartUp, MonthDayLookupFailsAfterTheOtherPoliciesAreRegistered) {
  WriteConfig(ConfigJson(true, true, true, "null"));
  EXPECT_FALSE(Load());
  EXPECT_EQ(TakeRegistry(),
            (Seq{"register console day.set", "register rcon day.set", "register timer forceday",
                 "register timer forceweekday", "register timer resetdays", "unregister console day.set",
                 "unregister rcon day.set", "unregister timer forceday", "unregister timer forceweekday",
                 "unregister timer resetdays", "unregister timer forcemonthday"}));
}

TEST_F(StartUp, MonthDaySwitchRegistersOnlyWhenTrue) {
  for (const auto& [value, registered] :
       std::vector<std::pair<std::string, bool>>{{"", false}, {"false", false}, {"true", true}}) {
    WriteConfig(ConfigJson(false, false, false, value));
    ASSERT_TRUE(Load()) << DevHost::LoadErrorOf("MorrowsetVelde");
    EXPECT_EQ(DevHost::Timers(), registered ? Seq{"forcemonthday"} : Seq{}) << value;
    Unload();
  }
}

// A config saved with Windows' line ends (as --init writes it there, and Notepad keeps it) loads
// as the same config with LF ones, a Ctrl-Z after it included (as old editors end a file).
TEST_F(StartUp, LineEndsOfEitherSystemLoadTheSameConfig) {
  std::string crlf = WithZone("\"Europe/Berlin\"");
  for (std::size_t at = 0; (at = crlf.find(", \"", at)) != std::string::npos;) crlf.replace(at, 2, ",\r\n  ");
  crlf = "{\r\n  " + crlf.substr(1, crlf.size() - 2) + "\r\n}\r\n";
  for (const std::string& text : {crlf, crlf + "\x1a"}) {
    WriteConfig(text);
    ASSERT_TRUE(Load()) << DevHost::LoadErrorOf("MorrowsetVelde");
    EXPECT_EQ(DevHost::Timers(), (Seq{"forceday", "forceweekday", "resetdays"}));
    Unload();
  }
}

TEST_F(StartUp, MissingDirectoryOrFileCannotBeOpened) {
  DevHost::SetServerDir(serverDir + "/nowhere");
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), "Can't open config.json");
}

TEST_F(StartUp, ConfigPathIsADirectory) {
  std::remove(configPath.c_str());
  std::filesystem::create_directory(configPath);
  EXPECT_FALSE(Load());
  EXPECT_EQ(DevHost::LoadErrorOf("MorrowsetVelde"), "Can't open config.json");
}

TEST_F(StartUp, ServerFolderEndingInASeparatorIsJoinedAsItStands) {
  DevHost::SetServerDir(serverDir + "/");
  EXPECT_TRUE(Load()) << DevHost::LoadErrorOf("MorrowsetVelde");
}

// The day "forceday" writes at its first run shows the DayToForce that start-up read.
struct DayCase {
  std::string name;
  std::string file;
  int32_t day;
};

void PrintTo(const DayCase& c, std::ostream* os) { *os << c.name; }

const std::vector<DayCase>& DayCases() {
  auto forcing = [](const std::string& value) {
    std::string json = ConfigJson(true, false, false);
    const std::string key = "\"DayToForce\": ";
    const auto at = json.find(key) + key.size();
    return json.substr(0, at) + value + json.substr(json.find(',', at));
  };
  static const std::vector<DayCase> cases = {
      {"True", forcing("true"), 1},
      {"False", forcing("false"), 0},
      {"Fraction", forcing("7.9"), 7},
      {"NegativeFraction", forcing("-7.9"), -7},
      {"Exponent", forcing("1e3"), 1000},
      {"Negative", forcing("-5"), -5},
      {"WrapsAbove32Bits", forcing("4294967301"), 5},
      {"TwoToThe31", forcing("2147483648"), INT32_MIN},
      {"HugeUnsigned", forcing("18446744073709551615"), -1},
      {"FloatAboveRangeClamps", forcing("1e10"), INT32_MAX},
      {"FloatBelowRangeClamps", forcing("-1e300"), INT32_MIN},
      {"LiteralTooLongFor64BitsClamps", forcing("99999999999999999999"), INT32_MAX},
      {"NegativeLiteralTooLongClamps", forcing("-99999999999999999999"), INT32_MIN},
      {"WithBom", "\xEF\xBB\xBF" + forcing("12"), 12},
      {"TextAfterTheObject", forcing("13") + " {\"DayToForce\": 1} stray // words", 13},
      {"GivenTwiceLaterWins", forcing("3").insert(1, "\"DayToForce\": 2, "), 3},
      {"AnyOrderAndExtras",
       "{\"Extra\": [1, 2], \"DayToSetWhenReset\": 1, \"DayToReset\": 9, \"ResetWhenReachDay\": "
       "false, \"FollowWeekCycle\": false, \"DayToForce\": 14, \"ForceDay\": true, \"Note\": {}}",
       14},
  };
  return cases;
}

class ReadDay : public PluginTest, public ::testing::WithParamInterface<DayCase> {};

TEST_P(ReadDay, ForceDayWritesTheConvertedNumber) {
  LoadWith(GetParam().file);
  DevHost::RunTimers();
  EXPECT_DAY(GetParam().day, GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadDay, ::testing::ValuesIn(DayCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace morrowset::test
