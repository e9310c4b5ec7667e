// Runs commands and the built programs from tests: a shell command, or the dev server on pipes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace morrowset::test {

// Runs a shell command; returns its exit status and sets output to what it printed.
int RunCommand(const std::string& command, std::string& output);
// Returns text in double quotes, for a command line of either platform's shell.
std::string Quote(const std::string& text);
// Returns the path of a built program.
std::string ProgramPath(const std::string& name);
// Returns the bytes of the file at a UTF-8 path (empty when there is none).
std::string ReadFile(const std::string& path);
// Returns a shell prefix that makes dir the current folder: "cd DIR && ".
std::string CdInto(const std::string& dir);
// Returns a path as the tools print it: on Windows with backslashes throughout.
std::string Shown(std::string path);

#if !defined(_WIN32)
class ServerProcess {
 public:
  // Starts the built dev server with the given arguments.
  explicit ServerProcess(const std::vector<std::string>& args);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // Returns the first output line containing text, waiting up to timeout; empty if none came.
  std::string WaitFor(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Writes one line to the server's standard input.
  void Send(const std::string& line);
  // Closes standard input and returns the exit status (-1 if it had to be killed).
  int Finish(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Returns everything the server printed so far.
  const std::string& Output() const { return output_; }

 private:
  bool ReadSome(std::chrono::milliseconds timeout);

  int pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string output_;
  std::size_t scanned_ = 0;
};

#endif

}  // namespace morrowset::test
