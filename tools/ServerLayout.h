// What makes a folder a server folder, for the tools that are pointed at one.
#pragma once

#include <string>

namespace morrowset {

// The framework's library as this platform's server holds it beside TolvApi.
#if defined(_WIN32)
inline constexpr const char* kFrameworkLibrary = "ZelApi.dll";
#else
inline constexpr const char* kFrameworkLibrary = "libZelApi.so";
#endif

// Returns whether dir holds TolvApi and, beside it, the framework's library (ZelApi.dll or
// libZelApi.so: a Linux host may prepare a Windows server's folder, and the other way round).
bool IsServerFolder(const std::string& dir);

// Returns the nearest folder above dir that is a server folder, or empty when none is.
std::string ServerFolderAbove(const std::string& dir);

// Returns why --init refuses to write into dir, in one line, or empty when dir is a server folder.
std::string NotAServerFolder(const std::string& dir);

}  // namespace morrowset
