// What an installed plugin file is, a Morrowset build and which one, and whether a stand-in of the
// framework is the one of this release: told from the file's bytes, before anything loads it.
#pragma once

#include <filesystem>
#include <string>

// Returns the build a plugin file names for itself ("Morrowset 1.3.0") when it is a library
// of this platform that the framework's loader links to the framework and names a Morrowset
// release; otherwise empty, with why set to what it lacks.
std::string MorrowsetBuild(const std::filesystem::path& library, std::string& why);

// Returns the build the bytes of a plugin file name, as MorrowsetBuild does for the file.
std::string MorrowsetBuildOf(const std::string& bytes, std::string& why);

// Returns why the file is not the preview's stand-in of the framework of this release (a library
// of this platform that names it), or an empty text; a missing file is left for the loader to name.
std::string StandInRefusal(const std::filesystem::path& standIn);
