// How a preview run that ends before its days answers: one line, the checker's report or a JSON
// document, and a page that says why where --html asked for the calendar.
#pragma once

#include <string>

#include "Diagnosis.h"
#include "PreviewOptions.h"

// Returns when and by what a page is written: "written 2026-12-10 04:40:12 CET by morrowset-preview 1.4.0".
std::string Written();

// Prints why a run ends without its days: one line on standard error (or the checker's report
// on standard output), or with --json one document with that line as its verdict; returns 1.
// The page, when asked for, says the same (unless pageToo is false: the page could not be written).
int Stop(const Options& options, const std::string& line, const morrowset::ConfigReport* report = nullptr,
         bool pageToo = true);
