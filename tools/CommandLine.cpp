// Arguments and paths of the admin tools, per platform.
#include "CommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>

#include <corecrt_startup.h>
#endif

namespace morrowset {

#if defined(_WIN32)
namespace {

std::string ToUtf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring ToWide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring text(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), size);
  return text;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  // The C runtime splits the wide command line by the same rules as the narrow one.
  if (_configure_wide_argv(_crt_argv_unexpanded_arguments) != 0 || *__p___wargv() == nullptr)
    return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int i = 0; i < *__p___argc(); ++i) args.push_back(ToUtf8((*__p___wargv())[i]));
  return args;
}

namespace {
UINT codePageBefore = 0;  // the console's output code page before UseUtf8Console, 0 when unchanged
}  // namespace

void UseUtf8Console() {
  const UINT before = GetConsoleOutputCP();  // 0 without a console
  if (before == 0 || before == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
  codePageBefore = before;
  std::atexit(RestoreConsole);
}

void RestoreConsole() {
  if (codePageBefore != 0) SetConsoleOutputCP(codePageBefore);
  codePageBefore = 0;
}

std::string DisplayPath(const std::string& utf8) {
  std::string path = utf8;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string EightBitPath(const std::string& utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](unsigned char c) { return c < 0x80; })) return utf8;
  const std::wstring wide = ToWide(utf8);
  const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
  std::wstring shortPath(size, L'\0');
  if (size == 0 || GetShortPathNameW(wide.c_str(), shortPath.data(), size) == 0) return utf8;
  shortPath.resize(wcslen(shortPath.c_str()));
  const std::string narrow = ToUtf8(shortPath.c_str());
  const bool ascii = std::all_of(narrow.begin(), narrow.end(), [](unsigned char c) { return c < 0x80; });
  return ascii ? narrow : utf8;
}

std::filesystem::path EightBitOpened(const std::string& utf8) {
  // The C library turns an 8-bit name into the wide one through the ANSI code page.
  const std::string narrow = EightBitPath(utf8);
  const int size = MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide.data(), size);
  return wide;
}
#else
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

void RestoreConsole() {}

std::string DisplayPath(const std::string& utf8) { return utf8; }

std::string EightBitPath(const std::string& utf8) { return utf8; }

std::filesystem::path EightBitOpened(const std::string& utf8) { return utf8; }
#endif

std::filesystem::path TemporaryFolder() {
  try {
    return std::filesystem::temp_directory_path();
  } catch (const std::filesystem::filesystem_error& error) {
#if defined(_WIN32)
    const char* variables = "TEMP (or TMP)";
#else
    const char* variables = "TMPDIR";
#endif
    throw std::runtime_error("the temporary folder " + DisplayPath(error.path1().u8string()) +
                             " is no folder this program can use: set " + variables +
                             " to a folder that exists and takes new files");
  }
}

std::string QuoteSwallowed(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i)
    if (args[i].find('"') != std::string::npos)
      return "an argument holds a double quote (" + args[i] +
             "): a quoted folder that ends in a backslash, \"C:\\Game Server\\\", makes Windows read the "
             "backslash and the quote as one quote, which takes in every argument after it; drop the last "
             "backslash: \"C:\\Game Server\"";
  return "";
}

bool StartedByDoubleClick(std::size_t arguments, unsigned long consoleProcesses) {
  return arguments == 0 && consoleProcesses == 1;
}

namespace {

// Returns how many processes share this program's console: 0 without one, or off Windows.
unsigned long ConsoleProcesses() {
#if defined(_WIN32)
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2);
#else
  return 0;
#endif
}

// Returns the folder above the one this program is in, as UTF-8: the server folder of an
// installed release (Morrowset\..).
std::string FolderAboveProgram() {
#if defined(_WIN32)
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path().parent_path().u8string();
#else
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().u8string();
#endif
}

}  // namespace

int RunGuarded(const char* program, ToolMain run, DoubleClickArguments doubleClick, int argc, char** argv) {
  int code = 1;
  bool doubleClicked = false;
  try {
    UseUtf8Console();
    std::vector<std::string> args = Utf8Arguments(argc, argv);
#if defined(_WIN32)  // elsewhere a quote in a path is a quote
    if (const std::string swallowed = QuoteSwallowed(args); !swallowed.empty()) {
      std::cerr << program << ": " << swallowed << "\n";
      return 2;
    }
#endif
    doubleClicked = StartedByDoubleClick(args.size() - 1, ConsoleProcesses());
    if (doubleClicked) {
      const std::vector<std::string> more = doubleClick(FolderAboveProgram());
      args.insert(args.end(), more.begin(), more.end());
      std::cout << program;
      for (const std::string& arg : more)
        std::cout << " " << (arg.find(' ') == std::string::npos ? arg : '"' + arg + '"');
      std::cout << "\n\n";
    }
    code = run(args);
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << program << ": " << error.what() << "\n";
  } catch (...) {
    std::cerr << program << ": unexpected error\n";
  }
  if (doubleClicked) {
    std::cout << "\nPress Enter to close this window." << std::flush;
    std::cin.get();
  }
  return code;
}

}  // namespace morrowset
