// The config file as the checker reads it apart from the plugin: its keys in order, its value,
// what follows it, and the member a stray key was meant to be.
#include "DiagnosisParts.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "Diagnosis.h"
#include "config/ConfigMembers.h"

namespace morrowset::diagnosis {
namespace {

// Collects the top-level keys of an object, in file order, duplicates included.
class KeyCollector : public nlohmann::json_sax<json> {
 public:
  explicit KeyCollector(std::vector<std::string>& keys) : keys_(keys) {}
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return ++depth_, true; }
  bool key(string_t& key) override {
    if (depth_ == 1) keys_.push_back(key);
    return true;
  }
  bool end_object() override { return --depth_, true; }
  bool start_array(std::size_t) override { return ++depth_, true; }
  bool end_array() override { return --depth_, true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  std::vector<std::string>& keys_;
  int depth_ = 0;
};

}  // namespace

// Returns the edit distance of two names, case ignored.
std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

const char* TypeName(const json& value) {
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::object:
      return "an object";
    case json::value_t::array:
      return "an array";
    case json::value_t::string:
      return "a string";
    case json::value_t::boolean:
      return "a boolean";
    default:
      return "a number";
  }
}

namespace {

constexpr int kExcerptDepth = 8;             // levels of nesting shown; deeper ones as [...] or {...}
constexpr std::size_t kExcerptLength = 200;  // characters shown; then "..."

void AppendExcerpt(const json& value, int depth, std::string& out) {
  if (out.size() > kExcerptLength) return;
  if (!value.is_structured()) {
    out += value.dump(-1, ' ', false, json::error_handler_t::replace);
    return;
  }
  const bool array = value.is_array();
  if (depth == kExcerptDepth) {
    out += array ? "[...]" : "{...}";
    return;
  }
  out += array ? '[' : '{';
  for (auto it = value.begin(); it != value.end() && out.size() <= kExcerptLength; ++it) {
    if (it != value.begin()) out += ',';
    if (!array) out += json(it.key()).dump(-1, ' ', false, json::error_handler_t::replace) + ":";
    AppendExcerpt(*it, depth + 1, out);
  }
  out += array ? ']' : '}';
}

}  // namespace

std::string Excerpt(const json& value) {
  std::string out;
  AppendExcerpt(value, 0, out);
  if (out.size() > kExcerptLength) out.replace(kExcerptLength, std::string::npos, "...");
  return out;
}

// Returns the member a key not read by the plugin was likely meant to be, if any: the same name
// in another case or with stray white space, or one or two letters off.
std::optional<std::string> NearMiss(const std::string& key) {
  std::string trimmed = key;
  trimmed.erase(0, trimmed.find_first_not_of(" \t\r\n"));
  trimmed.erase(trimmed.find_last_not_of(" \t\r\n") + 1);
  for (const ConfigMember& member : kConfigMembers)
    if (key == member.name) return std::nullopt;
  for (const ConfigMember& member : kConfigMembers)
    if (Distance(trimmed, member.name) <= 2) return std::string(member.name);
  return std::nullopt;
}

// Returns the line and column of a byte position, counted as the JSON library counts them.
std::pair<std::size_t, std::size_t> LineAndColumn(const std::string& text, std::size_t byte) {
  const std::size_t end = std::min(byte, text.size());
  const std::size_t lineStart = end == 0 ? 0 : text.rfind('\n', end - 1);
  const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
  return {line, byte - (lineStart == std::string::npos || end == 0 ? 0 : lineStart + 1)};
}

FileView ReadView(const std::string& text) {
  FileView view;
  std::istringstream stream(text);
  try {
    stream >> view.document;  // as the plugin reads it: the first value, nothing after it
  } catch (const std::exception&) {
    return view;
  }
  view.parsed = true;
  KeyCollector keys(view.keys);
  json::sax_parse(text, &keys, nlohmann::detail::input_format_t::json, false);
  // The value ends where the stream stands; only white space may follow unread. (The JSON
  // library's own check would stop at a NUL byte, as if the text ended there.)
  const std::streamoff end = stream.tellg();
  if (end >= 0) {
    const std::size_t after = text.find_first_not_of(" \t\r\n", static_cast<std::size_t>(end));
    if (after != std::string::npos) view.trailingAt = LineAndColumn(text, after + 1);
  }
  return view;
}

}  // namespace morrowset::diagnosis
