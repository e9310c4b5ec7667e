// Runs morrowset-devserver as a child process with its standard input and output on pipes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace morrowset::test {

class ServerProcess {
 public:
  // Starts the built dev server with the given arguments.
  explicit ServerProcess(const std::vector<std::string>& args);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // Returns the first output line containing text, waiting up to timeout; empty if none came.
  std::string WaitFor(const std::string& text,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));
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

// Runs a shell command; returns its exit status and sets output to what it printed.
int RunCommand(const std::string& command, std::string& output);

}  // namespace morrowset::test
