// Runs morrowset-devserver as a child process with its standard input and output on pipes.
#include "ServerProcess.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace morrowset::test {

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
#if defined(_WIN32)
  // The command is UTF-8: it goes to cmd as wide text, so that any file name arrives whole.
  const std::string quoted = "\"" + command + " 2>&1\"";  // cmd strips the outer quotes
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, quoted.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, quoted.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  FILE* pipe = _wpopen(wide.c_str(), L"r");
#else
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
#endif
  if (!pipe) return -1;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
#if defined(_WIN32)
  return _pclose(pipe);
#else
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string ReadFile(const std::string& path) {
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string CdInto(const std::string& dir) {
#if defined(_WIN32)
  return "cd /d " + Quote(dir) + " && ";
#else
  return "cd " + Quote(dir) + " && ";
#endif
}

std::string Shown(std::string path) {
#if defined(_WIN32)
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

std::string ProgramPath(const std::string& name) {
#if defined(_WIN32)
  return std::string(MORROWSET_BIN_DIR) + "/" + name + ".exe";
#else
  return std::string(MORROWSET_BIN_DIR) + "/" + name;
#endif
}

#if !defined(_WIN32)

ServerProcess::ServerProcess(const std::vector<std::string>& args) {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(in[1]);
    close(out[0]);
    const std::string program = std::string(MORROWSET_BIN_DIR) + "/morrowset-devserver";
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  in_ = in[1];
  out_ = out[0];
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (in_ >= 0) close(in_);
  if (out_ >= 0) close(out_);
}

bool ServerProcess::ReadSome(std::chrono::milliseconds timeout) {
  pollfd fd{out_, POLLIN, 0};
  if (poll(&fd, 1, static_cast<int>(timeout.count())) <= 0) return false;
  char buffer[4096];
  const ssize_t n = read(out_, buffer, sizeof buffer);
  if (n <= 0) return false;
  output_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string ServerProcess::WaitFor(const std::string& text, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto at = output_.find(text, scanned_);
    if (at != std::string::npos) {
      const auto start = output_.rfind('\n', at);
      const auto lineStart = start == std::string::npos ? 0 : start + 1;
      const auto end = output_.find('\n', at);
      if (end != std::string::npos) {
        scanned_ = end + 1;
        return output_.substr(lineStart, end - lineStart);
      }
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return "";
    ReadSome(left);
  }
}

void ServerProcess::Send(const std::string& line) {
  const std::string text = line + "\n";
  (void)!write(in_, text.data(), text.size());
}

int ServerProcess::Finish(std::chrono::milliseconds timeout) {
  close(in_);
  in_ = -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    ReadSome(std::chrono::milliseconds(50));
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      while (ReadSome(std::chrono::milliseconds(0))) {
      }
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  return -1;
}

#endif  // !_WIN32

}  // namespace morrowset::test
