// Running the span: the plugin's copy loaded into a session of its own, the clock moved over the
// span, and the date lines (or the timeline) printed.
#pragma once

#include <string>

#include "DaySummary.h"
#include "Forecast.h"
#include "Install.h"
#include "Scratch.h"
#include "Simulation.h"

// Copies the installed plugin and its config into the session's server folder, a folder of the
// preview's own, and loads that plugin alone; returns an empty text or why it failed.
std::string LoadPluginCopy(const Run& run, Simulation& session, const std::string& scratch);

// Runs the span on the loaded plugin and prints the date lines (or the timeline); returns the
// exit code: 1 when the plugin broke the host contract or the server's framework refuses it.
int RunSpan(const Options& options, const Run& run, const LocalCalendar& calendar, DayRecorder& record,
            Forecast& timeline);

// Returns the session's settings: the preview's own folder, the clock at the start, the day cycle,
// the day players see now, and the zone times are shown in.
Simulation::Setup SessionSetup(const Options& options, const Run& run, const LocalCalendar& calendar,
                               const ScratchFolder& scratch);
