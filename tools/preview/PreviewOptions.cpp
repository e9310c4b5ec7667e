// The preview's options, one row each: name, what it takes, what it does, its effect.
#include "PreviewOptions.h"

#include <climits>
#include <iostream>

#include "Duration.h"

namespace {

using cli::Kind;
using cli::Value;

}  // namespace

const cli::Table<Options> kPreviewCommandLine = {
    "morrowset-preview",
    {},
    "Runs the plugin installed in DIR/TolvApi/Plugins/MorrowsetVelde/, as it is, with a copy of its "
    "config.json, over the coming days on a simulated clock, and prints what players will see: one line per "
    "local date, in the zone of the config's \"TimeZone\" (else the machine's). Nothing is written into DIR. "
    "Exit 0; 1 when the config, the plugin or the server's framework would not load (the config's problems "
    "as morrowset-check prints them); 2 for bad usage.",
    {
        {"--server-dir", "DIR", "--server-dir DIR", Kind::Text, "a folder", "the server folder",
         [](Options& o, const Value& v) { o.serverDir = v.text; }},
        {"--from", "TIME", "[--from \"YYYY-MM-DD HH:MM\"]", Kind::Text, "a local time",
         "where the preview starts, a local time in that zone (default: now)",
         [](Options& o, const Value& v) { o.from = v.text; }},
        {"--for", "DURATION", nullptr, Kind::Duration,
         std::string("a duration (") + cli::kDurationExamples + ")",
         std::string("how long it runs, up to but not including its end: ") + cli::kDurationExamples +
             " (default {default})",
         [](Options& o, const Value& v) { o.span = v.text; },
         [](const Value& v) { return v.duration.count() > 0; }, [](const Options& o) { return o.span; }},
        {"--day", "N", nullptr, Kind::Whole, "the day players see now, a whole number",
         "the day players see now (default: not known; day 1 is assumed)",
         [](Options& o, const Value& v) { o.day = static_cast<int32_t>(v.number); },
         [](const Value& v) { return v.number >= INT32_MIN && v.number <= INT32_MAX; }, nullptr,
         cli::NumberForm{0, true}},
        {"--day-length", "S", nullptr, Kind::Number,
         "0 (none) or seconds from 1 to " + cli::SecondsText(kLongestDayLengthSeconds) +
             ", with at most 3 decimals",
         "seconds of the game's own in-game day, which moves the day on by itself (default {default}, as the "
         "development server; 0: none)",
         [](Options& o, const Value& v) {
           o.dayLengthSeconds = v.number;
           o.dayLengthGiven = true;
         },
         [](const Value& v) {
           return v.number == 0 || (v.number >= 1 && v.number <= kLongestDayLengthSeconds);
         },
         [](const Options& o) { return cli::SecondsText(o.dayLengthSeconds); }, cli::NumberForm{3, false}},
        {"--html", "FILE", nullptr, Kind::Text, "a file",
         "also write the preview as a calendar page (one HTML file; never below DIR/TolvApi, never over a "
         "file "
         "that is not such a page)",
         [](Options& o, const Value& v) { o.html = v.text; }},
        {"--timeline", "", "[--timeline | --json]", Kind::Switch, "",
         "print every change of the day instead of a line per date",
         [](Options& o, const Value&) { o.timeline = true; }},
        {"--json", "", "", Kind::Switch, "",
         "one JSON document instead of the text, with the same exit codes (its schema: "
         "preview-report.schema.json beside this program)",
         [](Options& o, const Value&) { o.json = true; }},
    },
};

int BadUsage(const std::string& why) {
  kPreviewCommandLine.PrintRefusal(std::cerr, why);
  return 2;
}

int ReadOptions(const std::vector<std::string>& argv, Options& options) {
  std::string why;
  const cli::Outcome outcome =
      kPreviewCommandLine.Read(std::vector<std::string>(argv.begin() + 1, argv.end()), options, why);
  if (const int code = kPreviewCommandLine.Answer(outcome, why, MORROWSET_VERSION); code >= 0) return code;
  if (options.serverDir.empty()) return BadUsage("--server-dir is required");
  if (!options.html.empty() && options.timeline)
    return BadUsage("--html goes with the date lines, not --timeline");
  if (options.json && options.timeline) return BadUsage("--json goes with the date lines, not --timeline");
  return -1;
}
