// A program's options as one table of rows: read, refused and shown in --help from the rows alone.
//
// The table is generic over the program's options struct and imports none of them. Reading
// never exits: it says what it came to, and the caller decides (bad usage is exit 2 by
// convention). Each refusal has one wording in every program:
//   unknown option: --colour
//   unexpected argument: foo
//   --day-length needs 0 (no day cycle) or seconds from 1 to 31536000
//   --day-length takes 0 (no day cycle) or seconds from 1 to 31536000: 0.5
#pragma once

#include <algorithm>
#include <chrono>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// What an option takes after its name.
enum class Kind {
  Switch,    // nothing
  Text,      // any text
  Number,    // a plain decimal number, at least 0: digits with at most one point
  Whole,     // a whole number: digits, with a minus sign before them when the row allows it
  Duration,  // a duration (Duration.h)
};

// An option's value, as its row read it.
struct Value {
  std::string text;                 // as given
  double number = 0;                // Number and Whole
  std::chrono::seconds duration{};  // Duration
};

// The form a number must have: at most this many decimals (-1 for any), and a minus sign or not.
struct NumberForm {
  int decimals = -1;
  bool negative = false;
};

// Reads a number of the given kind and form; false when text has another form.
bool ReadNumber(const std::string& text, Kind kind, NumberForm form, double& out);
// Reads a value of the given kind; false when text has another form.
bool ReadValue(const std::string& text, Kind kind, NumberForm form, Value& out);
// Returns seconds as an admin writes them: 1800, 0.5, 1.25 (to the millisecond).
std::string SecondsText(double seconds);
// Returns text's words: the parts between its spaces.
std::vector<std::string> Words(const std::string& text);
// Prints a paragraph: head, padded to column (one space at least), then the words, never split,
// wrapped at width, each further line indented to column.
void Paragraph(std::ostream& out, std::string head, const std::vector<std::string>& words, std::size_t column,
               std::size_t width);

// One option of a program with options struct Options.
template <class Options>
struct Row {
  const char* name;      // "--day-length"
  const char* value;     // what the help calls its value: "S"; empty for a switch
  const char* synopsis;  // as the usage line shows it; null: "[--day-length S]"; empty: left out of it
  Kind kind;
  std::string takes;  // what it takes, in words: "0 (no day cycle) or seconds from 1 to 31536000"
  std::string help;   // what it does; "{default}" stands for its default
  void (*apply)(Options& options, const Value& value);
  // Whether a value of the right form is taken as well; null takes every one.
  bool (*accepts)(const Value& value) = nullptr;
  // Its default as --help shows it, from the options as made by default; null shows none.
  std::string (*shownDefault)(const Options& defaults) = nullptr;
  NumberForm form = {};

  // Returns it as the option list shows it: "--day-length S".
  std::string Shown() const { return *value ? std::string(name) + " " + value : name; }
  // Returns it as the usage line shows it.
  std::string Synopsis() const { return synopsis ? synopsis : "[" + Shown() + "]"; }
};

// What reading a command line came to.
enum class Outcome {
  Run,      // go on with the options read
  Help,     // --help (or -h) was given: print the help, exit 0
  Version,  // --version was given: print the version, exit 0
  Bad,      // refused: why says so in one line
};

// A program's whole command line: its name, what it does, its rows and what else it takes.
template <class Options>
struct Table {
  const char* program;             // "morrowset-devserver"
  std::vector<std::string> forms;  // the usage's forms after the name; none: one made of the synopses
  std::string about;               // what the program does, under the usage
  std::vector<Row<Options>> rows;
  // Takes a bare argument (the check's PATH-TO-config.json); null: none is taken.
  void (*takeOperand)(Options& options, const std::string& text) = nullptr;

  // Reads the arguments after the program's name into options; why is set on Bad.
  Outcome Read(const std::vector<std::string>& args, Options& options, std::string& why) const;
  // Prints the usage, what the program does and every option with its default.
  void PrintHelp(std::ostream& out) const;
  // Prints a refusal: the program's name and why, then the help.
  void PrintRefusal(std::ostream& out, const std::string& why) const;
  // Answers what asks for no run: --help and --version on standard output (returns 0), a refusal
  // on standard error (returns 2, bad usage); returns -1 for Run.
  int Answer(Outcome outcome, const std::string& why, const char* version) const;

 private:
  const Row<Options>* Find(const std::string& name) const;
};

// --help's lines end by this column.
constexpr std::size_t kHelpWidth = 96;

template <class Options>
const Row<Options>* Table<Options>::Find(const std::string& name) const {
  for (const Row<Options>& row : rows)
    if (name == row.name) return &row;
  return nullptr;
}

template <class Options>
Outcome Table<Options>::Read(const std::vector<std::string>& args, Options& options, std::string& why) const {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return Outcome::Help;
    if (arg == "--version") return Outcome::Version;
    const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const Row<Options>* row = Find(arg.substr(0, equals));
    if (row && row->kind == Kind::Switch && equals != std::string::npos) row = nullptr;  // --json=1
    if (!row && arg.rfind("-", 0) == 0) {
      why = "unknown option: " + arg;
      return Outcome::Bad;
    }
    if (!row) {
      if (!takeOperand) {
        why = "unexpected argument: " + arg;
        return Outcome::Bad;
      }
      takeOperand(options, arg);
      continue;
    }
    Value value;
    if (row->kind != Kind::Switch) {
      if (equals == std::string::npos && i + 1 == args.size()) {
        why = std::string(row->name) + " needs " + row->takes;
        return Outcome::Bad;
      }
      const std::string text = equals == std::string::npos ? args[++i] : arg.substr(equals + 1);
      if (!ReadValue(text, row->kind, row->form, value) || (row->accepts && !row->accepts(value))) {
        why = std::string(row->name) + " takes " + row->takes + ": " + (text.empty() ? "\"\"" : text);
        return Outcome::Bad;
      }
    }
    row->apply(options, value);
  }
  return Outcome::Run;
}

template <class Options>
void Table<Options>::PrintHelp(std::ostream& out) const {
  // 1. The usage: each form on a line of its own after the program's name, wrapped under it.
  const std::string head = std::string("usage: ") + program;
  std::vector<std::vector<std::string>> lines;
  for (const std::string& form : forms) lines.push_back(Words(form));
  if (lines.empty()) {
    lines.emplace_back();
    for (const Row<Options>& row : rows)
      if (!row.Synopsis().empty()) lines.back().push_back(row.Synopsis());
  }
  for (std::size_t i = 0; i < lines.size(); ++i)
    Paragraph(out, i == 0 ? head : "       " + std::string(program), lines[i], head.size() + 1, kHelpWidth);

  // 2. What the program does, a paragraph per line of about.
  for (std::size_t at = 0; at < about.size();) {
    const std::size_t end = std::min(about.find('\n', at), about.size());
    Paragraph(out, "", Words(about.substr(at, end - at)), 0, kHelpWidth);
    at = end + 1;
  }

  // 3. Every option, its help beside it, with its default from the options made by default.
  std::size_t column = 0;
  for (const Row<Options>& row : rows) column = std::max(column, row.Shown().size());
  column = std::max<std::size_t>(column, 17) + 4;  // "--help, --version"
  const Options defaults{};
  for (const Row<Options>& row : rows) {
    std::string help = row.help;
    if (const std::size_t at = help.find("{default}"); at != std::string::npos && row.shownDefault)
      help.replace(at, 9, row.shownDefault(defaults));
    Paragraph(out, "  " + row.Shown(), Words(help), column, kHelpWidth);
  }
  Paragraph(out, "  --help, --version", Words("this text; the version"), column, kHelpWidth);
}

template <class Options>
void Table<Options>::PrintRefusal(std::ostream& out, const std::string& why) const {
  out << program << ": " << why << "\n";
  PrintHelp(out);
}

template <class Options>
int Table<Options>::Answer(Outcome outcome, const std::string& why, const char* version) const {
  switch (outcome) {
    case Outcome::Help:
      PrintHelp(std::cout);
      return 0;
    case Outcome::Version:
      std::cout << program << " " << version << "\n";
      return 0;
    case Outcome::Bad:
      PrintRefusal(std::cerr, why);
      return 2;
    default:
      return -1;
  }
}

}  // namespace cli
