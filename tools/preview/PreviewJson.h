// The preview's answer as one JSON document, for --json: the header's facts and each date's.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "DaySummary.h"
#include "LocalCalendar.h"

// The facts of the header, as the text's header lines say them.
struct PreviewFacts {
  std::string plugin, build;             // the installed plugin and the build it names
  nlohmann::json config;                 // as morrowset-check --json gives it
  nlohmann::json framework;              // the check of the server's framework; null when it holds none
  std::string from, to;                  // the span's start and end, local time with the zone
  long long seconds = 0;                 // the span's length
  long long roundSeconds = 0;            // between timer rounds
  double dayLengthSeconds = 0;           // seconds per in-game day; 0: none
  bool dayLengthGiven = false;           // by --day-length, not the default
  int32_t startDay = 0;                  // the day players see at the start
  bool startDayKnown = false;            // given by --day
  std::vector<std::string> headerLines;  // the text's header, line by line
};

// Returns the document: the header's facts, one object per date with its text line, the writes
// over the span, the day at its end, and the host's faults.
nlohmann::json PreviewJson(const PreviewFacts& facts, const DayRecorder& record,
                           const LocalCalendar& calendar);
// Returns the parts of the report's schema that the record's limits decide, each by its JSON
// pointer: how many days a date lists, and how long a day is seen to count as a share.
nlohmann::json PreviewSchemaParts();
