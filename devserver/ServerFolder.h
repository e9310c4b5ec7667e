// The development server's folder: the one given, or a fresh one with the built plugin.
#pragma once

#include <string>

#include "Options.h"

// Returns random hexadecimal digits: a fresh folder's name, a generated RCON password.
std::string RandomHex(int digits);
// Makes a fresh server folder unless one was given, and checks it; 0 or an exit code.
int PrepareServerFolder(ServerOptions& options, bool& fresh);
// Removes the server folder if it was made for this run alone.
void RemoveFreshFolder(const ServerOptions& options, bool fresh);
