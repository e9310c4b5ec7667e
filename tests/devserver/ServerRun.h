// Running the built morrowset-devserver from a test: its standard input given, its output taken.
#pragma once

#include <string>

namespace morrowset::test {

// Runs the dev server with the given standard input; returns everything it printed.
std::string RunServer(const std::string& args, const std::string& input, int& status);

// Returns whether text holds part.
bool Contains(const std::string& text, const std::string& part);

// Returns a server folder with the built plugin installed and the given config.json (none if empty).
std::string ServerFolder(const std::string& name, const std::string& config);

}  // namespace morrowset::test
