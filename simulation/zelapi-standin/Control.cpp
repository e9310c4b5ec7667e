// The stand-in's table of its control surface, its one export for drivers.
#include "Control.h"

namespace {

// What the stand-in is, where morrowset-preview reads it before it loads the file: a library that
// names another release, or none, is never loaded.
__attribute__((used)) const char kIdentity[] = "@(#)Morrowset stand-in " MORROWSET_VERSION;

std::string EventName(const DevHost::Event& event) { return event.Name(); }
std::string EventSentence(const DevHost::Event& event) { return event.Sentence(); }

}  // namespace

extern "C" const DevHost::Control* MorrowsetStandInControl() {
#define DEVHOST_ENTRY(call) &DevHost::call,
  static const DevHost::Control control = {sizeof(DevHost::Control), MORROWSET_VERSION, &EventName,
                                           &EventSentence, DEVHOST_CALLS(DEVHOST_ENTRY)};
#undef DEVHOST_ENTRY
  return &control;
}
