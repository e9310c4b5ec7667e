// The shared option table on a program of its own: the forms a value takes, each refusal's one
// wording, and help made from the rows with the defaults of the options struct.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "OptionTable.h"

namespace {

using cli::Kind;
using cli::Outcome;
using cli::Value;

struct Toy {
  std::string dir;
  double seconds = 2.5;
  int count = 7;
  bool loud = false;
  std::vector<std::string> files;
};

cli::Table<Toy> ToyTable(std::vector<std::string> forms = {}) {
  return {
      "toy",
      std::move(forms),
      "Does toy things.\nA second paragraph.",
      {{"--dir", "DIR", "--dir DIR", Kind::Text, "a folder", "where it works",
        [](Toy& t, const Value& v) { t.dir = v.text; }, [](const Value& v) { return !v.text.empty(); }},
       {"--seconds", "S", nullptr, Kind::Number, "seconds from 1, with at most 1 decimal",
        "how long it waits (default {default})", [](Toy& t, const Value& v) { t.seconds = v.number; },
        [](const Value& v) { return v.number >= 1; },
        [](const Toy& t) { return cli::SecondsText(t.seconds); }, cli::NumberForm{1, false}},
       {"--count", "N", nullptr, Kind::Whole, "a whole number", "how many (default {default})",
        [](Toy& t, const Value& v) { t.count = static_cast<int>(v.number); }, nullptr,
        [](const Toy& t) { return std::to_string(t.count); }, cli::NumberForm{0, true}},
       {"--loud", "", nullptr, Kind::Switch, "", "say more", [](Toy& t, const Value&) { t.loud = true; }}},
      [](Toy& t, const std::string& text) { t.files.push_back(text); }};
}

// Numbers: digits with at most one point and no sign unless the form allows one; no exponent,
// no hexadecimal, no inf or nan; decimals within the form's limit.
TEST(OptionTable, NumbersHaveOnePlainForm) {
  struct Case {
    const char* text;
    Kind kind;
    cli::NumberForm form;
    bool read;
    double value;
  };
  const Case cases[] = {
      {"1800", Kind::Number, {}, true, 1800},
      {"0.001", Kind::Number, {}, true, 0.001},
      {"2.", Kind::Number, {}, true, 2},
      {".5", Kind::Number, {}, false, 0},
      {"1e3", Kind::Number, {}, false, 0},
      {"0x10", Kind::Number, {}, false, 0},
      {"inf", Kind::Number, {}, false, 0},
      {"nan", Kind::Number, {}, false, 0},
      {"-1", Kind::Number, {}, false, 0},
      {"+1", Kind::Number, {}, false, 0},
      {"1.2.3", Kind::Number, {}, false, 0},
      {"", Kind::Number, {}, false, 0},
      {"1.25", Kind::Number, {2, false}, true, 1.25},
      {"1.125", Kind::Number, {2, false}, false, 0},
      {"80", Kind::Whole, {}, true, 80},
      {"80.0", Kind::Whole, {}, false, 0},
      {"-5", Kind::Whole, {0, true}, true, -5},
      {"-5", Kind::Whole, {}, false, 0},
      {"-", Kind::Whole, {0, true}, false, 0},
      {"--5", Kind::Whole, {0, true}, false, 0},
      {"123456789012345678901", Kind::Whole, {}, false, 0},
  };
  for (const Case& c : cases) {
    double value = -1;
    EXPECT_EQ(cli::ReadNumber(c.text, c.kind, c.form, value), c.read) << c.text;
    if (c.read) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

// Each refusal reads the same way in every program, named by the row's own words.
TEST(OptionTable, EachRefusalHasOneWording) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--colour"}, "unknown option: --colour"},
      {{"-"}, "unknown option: -"},
      {{"--loud=yes"}, "unknown option: --loud=yes"},
      {{"--dir"}, "--dir needs a folder"},
      {{"--dir", ""}, "--dir takes a folder: \"\""},
      {{"--dir="}, "--dir takes a folder: \"\""},
      {{"--seconds", "0.5"}, "--seconds takes seconds from 1, with at most 1 decimal: 0.5"},
      {{"--seconds", "1.25"}, "--seconds takes seconds from 1, with at most 1 decimal: 1.25"},
      {{"--count", "x", "--colour"}, "--count takes a whole number: x"},
  };
  for (const auto& [args, wording] : cases) {
    Toy toy;
    std::string why;
    EXPECT_EQ(ToyTable().Read(args, toy, why), Outcome::Bad) << wording;
    EXPECT_EQ(why, wording);
  }
  cli::Table<Toy> noOperand = ToyTable();
  noOperand.takeOperand = nullptr;
  Toy toy;
  std::string why;
  EXPECT_EQ(noOperand.Read({"a.txt"}, toy, why), Outcome::Bad);
  EXPECT_EQ(why, "unexpected argument: a.txt");
}

// Values after their name or after "=", a value that looks like an option taken as one, the last
// of a repeated option, operands in order, and --help or --version ending the reading.
TEST(OptionTable, ValuesReachTheOptions) {
  Toy toy;
  std::string why;
  ASSERT_EQ(ToyTable().Read({"a", "--dir=x=y", "--seconds", "3.5", "--count", "-2", "--count=4", "--loud",
                             "b", "--dir", "--loud"},
                            toy, why),
            Outcome::Run)
      << why;
  EXPECT_EQ(toy.dir, "--loud");
  EXPECT_EQ(toy.seconds, 3.5);
  EXPECT_EQ(toy.count, 4);
  EXPECT_TRUE(toy.loud);
  EXPECT_EQ(toy.files, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ToyTable().Read({"--count", "1", "-h", "--colour"}, toy, why), Outcome::Help);
  EXPECT_EQ(ToyTable().Read({"--version", "--colour"}, toy, why), Outcome::Version);
}

// Help: the synopsis made of the rows, wrapped between items and never inside one; every option
// in one column with the default of the options struct; the width kept.
TEST(OptionTable, HelpIsMadeFromTheRows) {
  std::ostringstream help;
  ToyTable().PrintHelp(help);
  EXPECT_EQ(help.str(),
            "usage: toy --dir DIR [--seconds S] [--count N] [--loud]\n"
            "Does toy things.\n"
            "A second paragraph.\n"
            "  --dir DIR          where it works\n"
            "  --seconds S        how long it waits (default 2.5)\n"
            "  --count N          how many (default 7)\n"
            "  --loud             say more\n"
            "  --help, --version  this text; the version\n");

  cli::Table<Toy> wide =
      ToyTable({"FILE...", std::string(40, 'x') + " [--seconds S] " + std::string(40, 'y')});
  wide.rows[1].help = std::string(200, 'w') + " " + std::string(30, 'z') + " {default}";
  std::ostringstream wrapped;
  wide.PrintHelp(wrapped);
  std::istringstream lines(wrapped.str());
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_GE(all.size(), 6u);
  EXPECT_EQ(all[0], "usage: toy FILE...");
  EXPECT_EQ(all[1], "       toy " + std::string(40, 'x') + " [--seconds S]");
  EXPECT_EQ(all[2], "           " + std::string(40, 'y'));
  EXPECT_NE(wrapped.str().find("\n" + std::string(21, ' ') + std::string(30, 'z') + " 2.5\n"),
            std::string::npos)
      << wrapped.str();
}

// Answering: help and version on standard output with exit 0, a refusal with the help on standard
// error with exit 2, nothing for a run.
TEST(OptionTable, TheAnswerDecidesTheExitCode) {
  std::ostringstream out, err;
  std::streambuf* const savedOut = std::cout.rdbuf(out.rdbuf());
  std::streambuf* const savedErr = std::cerr.rdbuf(err.rdbuf());
  const cli::Table<Toy> table = ToyTable();
  const int help = table.Answer(Outcome::Help, "", "1.0");
  const int version = table.Answer(Outcome::Version, "", "1.0");
  const int bad = table.Answer(Outcome::Bad, "unknown option: --x", "1.0");
  const int run = table.Answer(Outcome::Run, "", "1.0");
  std::cout.rdbuf(savedOut);
  std::cerr.rdbuf(savedErr);
  EXPECT_EQ(std::vector<int>({help, version, bad, run}), std::vector<int>({0, 0, 2, -1}));
  EXPECT_EQ(out.str().rfind("usage: toy", 0), 0u);
  EXPECT_NE(out.str().find("\ntoy 1.0\n"), std::string::npos);
  EXPECT_EQ(err.str().rfind("toy: unknown option: --x\nusage: toy", 0), 0u) << err.str();
}

}  // namespace
