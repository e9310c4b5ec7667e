// What the admin tools need of the platform for arguments and paths, and their guarded main: the command line
// as UTF-8 (on Windows from its wide form, so that any folder name arrives whole), paths printed in one
// separator style, and a path the plugin's own 8-bit file code can open.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morrowset {

// Returns the program's arguments as UTF-8, argv[0] first. On Windows they are read from the
// wide command line, whatever the ANSI code page; elsewhere they are argv as given.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes the console show the UTF-8 the tools print (Windows), and gives it back the code page it
// had when the program exits; nothing elsewhere.
void UseUtf8Console();
// Gives the console back its code page now, for an exit that skips the C library's exit
// handlers (an interruption); nothing elsewhere.
void RestoreConsole();

// Returns a path as the tools print it: on Windows with backslashes throughout (.\TolvApi\...,
// C:\srv\TolvApi\...), never a mix; elsewhere unchanged.
std::string DisplayPath(const std::string& utf8);

// Returns a name of the file at a UTF-8 path that the C library's 8-bit file functions open:
// the path itself where it is ASCII or the platform is not Windows, else its short (8.3) form
// when the volume keeps one, else the path (which then fails to open as the plugin would).
std::string EightBitPath(const std::string& utf8);
// Returns the file the C library's 8-bit file functions open for EightBitPath(utf8).
std::filesystem::path EightBitOpened(const std::string& utf8);

// Returns the system's temporary folder; throws, in plain words naming the folder and the variable
// that set it, when that is no folder the program can use.
std::filesystem::path TemporaryFolder();

// Returns what to tell an admin whose argument holds a double quote: on Windows a quoted path
// ending in a backslash ("C:\Game Server\") swallows the quote and every argument after it;
// empty when no argument holds one.
std::string QuoteSwallowed(const std::vector<std::string>& args);

// Returns whether a program was started by a double-click in Explorer: with no arguments, and
// the only process on its console (a command prompt shares its console with the program).
bool StartedByDoubleClick(std::size_t arguments, unsigned long consoleProcesses);

// A tool's main, given its arguments as UTF-8, argv[0] first.
using ToolMain = int (*)(const std::vector<std::string>& args);
// Returns the arguments a double-clicked tool runs with, for the server folder given.
using DoubleClickArguments = std::vector<std::string> (*)(const std::string& serverDir);

// Runs a tool's main with the console in UTF-8; whatever a file or an argument holds, no
// exception ends the program: it is said in one line after the program's name, exit 1.
// Double-clicked, the tool runs for the server folder above its own (Morrowset\..), says with
// which arguments, and waits for Enter before its window closes.
int RunGuarded(const char* program, ToolMain run, DoubleClickArguments doubleClick, int argc, char** argv);

}  // namespace morrowset
