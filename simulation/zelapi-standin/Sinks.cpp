// The host's log sinks: one that records every line, shared with plugins through GetLogSinks.
#include <mutex>

#include <spdlog/sinks/base_sink.h>

#include "Internal.h"

namespace DevHost {
namespace {

// A sink that keeps every line that reaches it, so that tests and status can count them.
class LineSink final : public spdlog::sinks::base_sink<std::mutex> {
 public:
  std::vector<std::string> lines;

 protected:
  void _sink_it(const spdlog::details::log_msg& msg) override { lines.push_back(msg.formatted.str()); }
  void _flush() override {}
};

std::shared_ptr<LineSink>& Recorder() {
  static auto sink = std::make_shared<LineSink>();
  return sink;
}

}  // namespace

namespace Internal {
void ResetSinks() {
  Recorder()->lines.clear();
  ZelApi::GetLogSinks() = {Recorder()};
}
}  // namespace Internal

std::vector<std::string> SinkLines() { return Recorder()->lines; }

std::shared_ptr<spdlog::sinks::sink> RecordingSink() { return Recorder(); }

}  // namespace DevHost

// ---- Host contract -----------------------------------------------------------------------

ZelApi::LogSinks& ZelApi::GetLogSinks() {
  static LogSinks sinks = {DevHost::Recorder()};
  return sinks;
}
