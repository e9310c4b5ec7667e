// The preview's temporary folder and its clean-up on interruption.
#include "Scratch.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <random>

#include "CommandLine.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::atomic<int> caught{0};

#if defined(_WIN32)
HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);

BOOL WINAPI OnControl(DWORD event) {
  caught = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
  // On a close, log-off or shutdown the process ends when this returns: wait for the clean-up.
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) WaitForSingleObject(done, 5000);
  return TRUE;
}

// Opens the lock file so that nobody can delete it while the run lives.
std::intptr_t Lock(const fs::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(handle);
}

void Unlock(std::intptr_t lock) {
  if (lock != -1) CloseHandle(reinterpret_cast<HANDLE>(lock));
}

// A leftover's lock file can be deleted only when no living run holds it open.
bool Abandoned(const fs::path& folder) {
  return DeleteFileW((folder / ScratchFolder::kLockFile).c_str()) != 0;
}
#else
void OnSignal(int signal) { caught = signal; }

std::intptr_t Lock(const fs::path& file) {
  const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd >= 0 && flock(fd, LOCK_EX) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

void Unlock(std::intptr_t lock) {
  if (lock != -1) close(static_cast<int>(lock));
}

// A leftover is ours to remove when we own it and no living run holds its lock.
bool Abandoned(const fs::path& folder) {
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return false;
  const int fd = open((folder / ScratchFolder::kLockFile).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return free;
}
#endif

}  // namespace

ScratchFolder::ScratchFolder() {
  RemoveLeftovers();
  std::random_device random;
  for (;;) {
    path_ = morrowset::TemporaryFolder() / (kPrefix + std::to_string(random()));
    if (fs::create_directory(path_)) break;
  }
  lock_ = Lock(path_ / kLockFile);
}

ScratchFolder::~ScratchFolder() {
  Unlock(lock_);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::EightBitName() const { return morrowset::EightBitPath(path_.u8string()); }

int ScratchFolder::RemoveLeftovers() {
  int removed = 0;
  std::error_code error;
  for (fs::directory_iterator it(fs::temp_directory_path(error), error), end; !error && it != end;
       it.increment(error)) {
    const fs::path folder = it->path();
    if (folder.filename().u8string().rfind(kPrefix, 0) != 0 || !Abandoned(folder)) continue;
    std::error_code ignored;
    if (fs::remove_all(folder, ignored) > 0) ++removed;
  }
  return removed;
}

namespace Interruption {

void Catch() {
#if defined(_WIN32)
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // Ctrl-C, a kill, a closed terminal, Ctrl-\ and a reader gone from the pipe (piped into head).
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaction(signal, &action, nullptr);
#endif
}

int Interrupted() { return caught; }

void Finish(int signal) {
#if defined(_WIN32)
  SetEvent(done);
  morrowset::RestoreConsole();
  std::_Exit(128 + signal);
#else
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  std::_Exit(128 + signal);
#endif
}

}  // namespace Interruption
