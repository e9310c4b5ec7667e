// The option table's parts that know no program: reading numbers and values, and wrapping help.
#include "OptionTable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Duration.h"

namespace cli {

bool ReadNumber(const std::string& text, Kind kind, NumberForm form, double& out) {
  const std::size_t sign = form.negative && text.rfind('-', 0) == 0 ? 1 : 0;
  const std::size_t digits = text.find_first_not_of("0123456789", sign);
  const std::size_t dot = kind == Kind::Number ? digits : std::string::npos;
  const bool decimalsRead =
      dot == std::string::npos ||
      (text[dot] == '.' && text.find_first_not_of("0123456789", dot + 1) == std::string::npos &&
       (form.decimals < 0 || text.size() - dot - 1 <= static_cast<std::size_t>(form.decimals)));
  // Digits before and after the point, none of them beyond what a double holds exactly enough.
  if (digits == sign || text.size() == sign || text.size() > 20 || !decimalsRead ||
      (dot == std::string::npos && digits != std::string::npos))
    return false;
  out = std::strtod(text.c_str(), nullptr);
  return std::isfinite(out);
}

bool ReadValue(const std::string& text, Kind kind, NumberForm form, Value& out) {
  out.text = text;
  switch (kind) {
    case Kind::Number:
    case Kind::Whole:
      return ReadNumber(text, kind, form, out.number);
    case Kind::Duration:
      return ParseDuration(text, out.duration);
    default:
      return true;
  }
}

std::string SecondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  std::string shown = text;
  shown.erase(shown.find_last_not_of('0') + 1);
  if (shown.back() == '.') shown.pop_back();
  return shown;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

void Paragraph(std::ostream& out, std::string head, const std::vector<std::string>& words, std::size_t column,
               std::size_t width) {
  head.resize(std::max(head.empty() ? 0 : head.size() + 1, column), ' ');
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty() && head.size() + line.size() + 1 + word.size() > width) {
      out << head << line << "\n";
      head.assign(column, ' ');
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  out << head << line << "\n";
}

}  // namespace cli
