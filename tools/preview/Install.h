// What a preview runs on: the installed plugin and its config as the plugin reads them, the span
// in the zone, the server's own framework, and the header that says all of it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Diagnosis.h"
#include "GameClock.h"
#include "LocalCalendar.h"
#include "PreviewJson.h"
#include "PreviewOptions.h"

constexpr const char* kPlugin = "MorrowsetVelde";
constexpr auto kTimerInterval = kDefaultTimerRound;  // as the development server's

// The run's settings once the arguments, the config and the zone are read.
struct Run {
  std::filesystem::path library;  // the installed plugin
  std::filesystem::path config;   // its config.json
  std::string configText;         // its bytes as the check read them: what the preview's copy holds
  std::string build;              // the build the plugin names
  Time from;
  std::chrono::seconds span{};
  std::vector<std::string> framework;  // the server framework's refusal, as the header's lines
  nlohmann::json frameworkFound;       // the check of the server's framework; null when it holds none
  bool frameworkRefuses = false;
};

// Reads the span and the start in the zone; returns 0 or the exit code.
int ReadSpan(const Options& options, const LocalCalendar& calendar, Run& run);

// Finds the installed plugin and its config, reads the config as the plugin does, and checks
// that the plugin is a Morrowset build; returns 0 or the exit code (1, with the checker's
// report, when the config would not load).
int FindInstall(const Options& options, Run& run, morrowset::ConfigReport& report);

// Checks the server's own framework against the installed plugin, as morrowset-check does, when
// the server folder holds a Windows framework beside TolvApi.
void CheckFramework(const Options& options, Run& run);

// The header of both the text and the page.
std::vector<std::string> Header(const Options& options, const Run& run, const morrowset::ConfigReport& report,
                                const LocalCalendar& calendar);

// Returns the header's facts, for --json.
PreviewFacts Facts(const Options& options, const Run& run, const morrowset::ConfigReport& report,
                   const LocalCalendar& calendar, const std::vector<std::string>& header);
