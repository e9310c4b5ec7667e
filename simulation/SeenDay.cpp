// The day players see, and the footer that sums up a run.
#include "SeenDay.h"

#include <algorithm>

bool SeenDay::Concerns(const DevHost::Event& event) {
  using Kind = DevHost::Event::Kind;
  return event.kind == Kind::Day || event.kind == Kind::Update || event.kind == Kind::Dawn;
}

SeenDay::Seen SeenDay::Take(const DevHost::Event& event) {
  using Kind = DevHost::Event::Kind;
  Seen seen;
  if (event.kind == Kind::Fault) faults_.push_back(event.Name());
  seen.write = event.kind == Kind::Day || event.kind == Kind::Dawn;
  seen.shown = event.kind == Kind::Update || event.kind == Kind::Dawn;
  if (seen.write) {
    auto writer = std::find_if(writers_.begin(), writers_.end(),
                               [&event](const Writer& known) { return known.source == event.source; });
    if (writer == writers_.end()) writer = writers_.insert(writers_.end(), Writer{event.source, 0});
    ++writer->writes;
  }
  if (seen.shown) {
    seen.changed = event.day != day_;
    day_ = event.day;
  }
  return seen;
}

std::string SeenDayFooter(const std::string& writes, int32_t day) {
  return "writes: " + (writes.empty() ? std::string("none") : writes) +
         "\nday at the end: " + std::to_string(day) + "\n";
}
