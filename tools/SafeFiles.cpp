// One open per read, checked on the open file, and writes only into files created new.
#include "SafeFiles.h"

#include <algorithm>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morrowset {
namespace fs = std::filesystem;

#if defined(_WIN32)

ReadOnce ReadFileOnce(const fs::path& path, std::size_t limit) {
  ReadOnce result;
  // Shared as the server's own reading shares it: an editor may hold the file open.
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    result.outcome = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH
                         ? ReadOnce::Outcome::Missing
                         : ReadOnce::Outcome::Unreadable;
    return result;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    result.outcome = ReadOnce::Outcome::NotAFile;
  } else if (!GetFileInformationByHandle(file, &info)) {
    result.outcome = ReadOnce::Outcome::Unreadable;
  } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    result.outcome = ReadOnce::Outcome::Folder;
  } else {
    result.size = (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    result.bytes.resize(limit);
    std::size_t got = 0;
    DWORD n = 0;
    while (got < limit &&
           ReadFile(file, result.bytes.data() + got, static_cast<DWORD>(limit - got), &n, nullptr) && n > 0)
      got += n;
    result.bytes.resize(got);
    result.outcome = ReadOnce::Outcome::Read;
  }
  CloseHandle(file);
  return result;
}

std::string CreateNewFile(const fs::path& path, const std::string& bytes) {
  // CREATE_NEW fails on any name that is taken; on a link it acts on the link itself.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::system_category().message(static_cast<int>(GetLastError()));
  std::size_t put = 0;
  DWORD n = 0;
  while (put < bytes.size() &&
         WriteFile(file, bytes.data() + put,
                   static_cast<DWORD>(std::min<std::size_t>(bytes.size() - put, 1u << 20)), &n, nullptr) &&
         n > 0)
    put += n;
  const DWORD error = put == bytes.size() ? 0 : GetLastError();
  CloseHandle(file);
  if (put == bytes.size()) return "";
  DeleteFileW(path.c_str());
  return std::system_category().message(static_cast<int>(error ? error : ERROR_WRITE_FAULT));
}

#else

ReadOnce ReadFileOnce(const fs::path& path, std::size_t limit) {
  ReadOnce result;
  // Non-blocking, so that opening a pipe never waits for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    result.outcome = errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG || errno == ELOOP
                         ? ReadOnce::Outcome::Missing
                         : ReadOnce::Outcome::Unreadable;
    return result;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    result.outcome = ReadOnce::Outcome::Unreadable;
  } else if (S_ISDIR(info.st_mode)) {
    result.outcome = ReadOnce::Outcome::Folder;
  } else if (!S_ISREG(info.st_mode)) {
    result.outcome = ReadOnce::Outcome::NotAFile;
  } else {
    result.size = static_cast<std::uintmax_t>(info.st_size);
    result.bytes.resize(limit);
    std::size_t got = 0;
    bool failed = false;
    for (ssize_t n; got < limit && (n = read(fd, result.bytes.data() + got, limit - got)) != 0;) {
      if (n < 0 && errno == EINTR) continue;
      if ((failed = n < 0)) break;
      got += static_cast<std::size_t>(n);
    }
    result.bytes.resize(got);
    result.outcome = failed ? ReadOnce::Outcome::Unreadable : ReadOnce::Outcome::Read;
  }
  close(fd);
  return result;
}

std::string CreateNewFile(const fs::path& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return std::generic_category().message(errno);
  std::size_t put = 0;
  int error = 0;
  while (put < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + put, bytes.size() - put);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    put += static_cast<std::size_t>(n);
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0) return "";
  unlink(path.c_str());
  return std::generic_category().message(error);
}

#endif

fs::path CreateUniqueFile(const fs::path& folder, const std::string& stem, const std::string& suffix,
                          const std::string& bytes, std::string& why) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = folder / fs::u8path("." + stem + "." + std::to_string(random()) + suffix);
    std::error_code error;
    why = CreateNewFile(path, bytes);
    if (why.empty()) return path;
    if (!fs::exists(fs::symlink_status(path, error))) return {};  // not a taken name: a real failure
  }
  why = "no free name for a temporary file";
  return {};
}

}  // namespace morrowset
