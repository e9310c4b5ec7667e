// The preview's own folder in the system's temporary folder, which holds its copy of the plugin:
// removed when the run ends or is interrupted, and by a later run when a killed run left it.
#pragma once

#include <filesystem>
#include <string>

// A folder "morrowset-preview-N" in the temporary folder, locked while its run lives.
class ScratchFolder {
 public:
  // Removes what killed runs left behind, then makes and locks a fresh folder.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Returns the folder by a name the plugin's 8-bit file code opens.
  std::string EightBitName() const;
  // Removes every folder of ours in the temporary folder that no living run holds; returns how
  // many. A folder is ours when it is named so and holds our lock file.
  static int RemoveLeftovers();

  static constexpr const char* kPrefix = "morrowset-preview-";
  static constexpr const char* kLockFile = "in-use";

 private:
  std::filesystem::path path_;
  std::intptr_t lock_ = -1;  // the lock file, open and locked while the run lives
};

// Ctrl-C, SIGTERM, SIGHUP (a console's close on Windows): the run stops at its next step and
// cleans up. Interrupted() returns the signal, 0 while none came.
namespace Interruption {
// Catches the signals from now on.
void Catch();
int Interrupted();
// Ends the process as the signal would have, once everything is cleaned up.
[[noreturn]] void Finish(int signal);
}  // namespace Interruption
