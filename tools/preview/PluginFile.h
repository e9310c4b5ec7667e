// What an installed plugin file is: a Morrowset build, and which one.
#pragma once

#include <filesystem>
#include <string>

// Returns the build a plugin file names for itself ("Morrowset 1.3.0") when it is a library
// of this platform that the framework's loader links to the framework and names a Morrowset
// release; otherwise empty, with why set to what it lacks.
std::string MorrowsetBuild(const std::filesystem::path& library, std::string& why);

// Returns the build the bytes of a plugin file name, as MorrowsetBuild does for the file.
std::string MorrowsetBuildOf(const std::string& bytes, std::string& why);
