// The engine allocator, FString, and the event and fault logs of the development host.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>

#include "Internal.h"

namespace DevHost {
namespace {

Events events;
bool keepEvents = false;
std::vector<std::string> faults;
std::function<void(const Event&)> listener;

// Buffers handed out and not yet freed: few at a time, so a flat list is fastest.
std::vector<void*> live;
// The most recent frees, to tell a double free from a foreign one.
std::array<void*, 64> recentlyFreed{};
std::size_t nextFreedSlot = 0;

// Removes buffer from the live list; returns false when it was not there.
bool TakeLive(void* buffer) {
  const auto it = std::find(live.rbegin(), live.rend(), buffer);
  if (it == live.rend()) return false;
  *it = live.back();
  live.pop_back();
  recentlyFreed[nextFreedSlot++ % recentlyFreed.size()] = buffer;
  return true;
}

const char* BadFree(void* buffer) {
  const bool recent = std::find(recentlyFreed.begin(), recentlyFreed.end(), buffer) != recentlyFreed.end();
  return recent ? "double free" : "free of a buffer the engine never allocated";
}

}  // namespace

namespace Internal {

void Record(Event::Kind kind, int32_t day, std::string text) {
  if (!keepEvents && !listener) return;
  Event event{kind, std::string(Source()), std::chrono::system_clock::now(), day, std::move(text)};
  if (listener) listener(event);
  if (keepEvents) events.push_back(std::move(event));
}

void Fault(const std::string& what) {
  faults.push_back(what);  // kept apart from the events, for Faults()
  if (listener)
    listener(Event{Event::Kind::Fault, std::string(Source()), std::chrono::system_clock::now(), 0, what});
}

void* Allocate(std::size_t bytes) {
  void* buffer = std::malloc(bytes);
  if (buffer == nullptr) throw std::bad_alloc();
  live.push_back(buffer);
  return buffer;
}

void Free(void* buffer) {
  if (buffer == nullptr) return;
  if (!TakeLive(buffer)) {
    Fault(BadFree(buffer));
    return;
  }
  std::free(buffer);
  Record(Event::Kind::Free);
}

void Release(void* buffer) {
  if (buffer == nullptr) return;
  if (!TakeLive(buffer)) {
    Fault("the host's own buffer was freed by someone else");
    return;
  }
  std::free(buffer);
}

void ResetAllocator() {
  for (void* buffer : live) std::free(buffer);
  live.clear();
  recentlyFreed.fill(nullptr);
}

std::string Narrow(const FString& text) {
  const TArray<WIDECHAR>& data = text.Data;
  if (data.ArrayNum < 0 || data.ArrayMax < data.ArrayNum || (data.ArrayNum > 0 && !data.Data) ||
      (data.ArrayNum > 0 && data.Data[data.ArrayNum - 1] != 0)) {
    Fault("malformed FString");
    return {};
  }
  std::string narrow;
  for (int32_t i = 0; i + 1 < data.ArrayNum; ++i)
    narrow += data.Data[i] < 0x80 ? static_cast<char>(data.Data[i]) : '?';
  return narrow;
}

void MakeFString(FString& out, const std::string& text) {
  out.Data = {};
  if (text.empty()) return;
  const auto count = static_cast<int32_t>(text.size() + 1);
  auto* chars = static_cast<WIDECHAR*>(Allocate(sizeof(WIDECHAR) * count));
  for (std::size_t i = 0; i < text.size(); ++i)
    chars[i] = static_cast<WIDECHAR>(static_cast<unsigned char>(text[i]));
  chars[text.size()] = 0;
  out.Data = {chars, count, count};
}

}  // namespace Internal

void KeepEvents(bool keep) {
  keepEvents = keep;
  if (!keep) Events().swap(events);
}

Events AllEvents() { return events; }

Events TakeEvents() {
  Events taken;
  taken.swap(events);
  return taken;
}

std::vector<std::string> Faults() { return faults; }

void SetListener(std::function<void(const Event&)> callback) { listener = std::move(callback); }

std::string Event::Name() const {
  switch (kind) {
    case Kind::None:
      return "none";
    case Kind::Register:
      return "register " + text;
    case Kind::Unregister:
      return "unregister " + text;
    case Kind::Day:
      return "day " + std::to_string(day);
    case Kind::Update:
      return "update " + std::to_string(day);
    case Kind::Dawn:
      return "dawn " + std::to_string(day);
    case Kind::Free:
      return "free";
    case Kind::Unresolved:
      return "unresolved " + text;
    case Kind::Plugin:
      return "plugin " + text;
    case Kind::Fault:
      return "fault: " + text;
  }
  return "?";
}

std::string Event::Sentence() const {
  switch (kind) {
    case Kind::Day:
      return "day written: " + std::to_string(day);
    case Kind::Update:
      return "replicated to clients: day " + std::to_string(day);
    case Kind::Dawn:
      return "a new day dawns: day " + std::to_string(day);
    default:
      return Name();
  }
}

std::vector<std::string> Names(const Events& list) {
  std::vector<std::string> names;
  names.reserve(list.size());
  for (const Event& event : list) names.push_back(event.Name());
  return names;
}

std::size_t OutstandingBuffers() { return live.size(); }

void Reset() {
  events.clear();
  faults.clear();
  Internal::ResetRegistries();
  Internal::ResetAllocator();
  Internal::ResetGame();
  Internal::ResetLoader();
  Internal::ResetSinks();
}

}  // namespace DevHost

// ---- FString ---------------------------------------------------------------------------------

FString::FString(const char* text) { DevHost::Internal::MakeFString(*this, text ? text : ""); }

int32_t FString::ParseIntoArray(TArray<FString>& out, const WIDECHAR* delimiter, bool cull) const {
  using DevHost::Internal::Allocate;
  if (out.ArrayNum != 0) DevHost::Internal::Fault("ParseIntoArray into a non-empty array");
  out = {};
  const WIDECHAR* text = **this;
  const int32_t length = Len();
  int32_t delimiterLength = 0;
  while (delimiter && delimiter[delimiterLength]) ++delimiterLength;

  // Word boundaries first, then one buffer per word and one for the array.
  struct Word {
    int32_t start, length;
  };
  std::vector<Word> words;
  auto addWord = [&](int32_t start, int32_t end) {
    if (!cull || end > start) words.push_back({start, end - start});
  };
  int32_t start = 0;
  if (delimiterLength > 0) {
    for (int32_t i = 0; i + delimiterLength <= length;) {
      if (std::equal(delimiter, delimiter + delimiterLength, text + i)) {
        addWord(start, i);
        i += delimiterLength;
        start = i;
      } else {
        ++i;
      }
    }
  }
  addWord(start, length);
  if (words.empty()) return 0;

  const auto count = static_cast<int32_t>(words.size());
  auto* elements = static_cast<FString*>(Allocate(sizeof(FString) * count));
  for (int32_t i = 0; i < count; ++i) {
    auto* word = new (&elements[i]) FString();
    if (words[i].length == 0) continue;
    const int32_t size = words[i].length + 1;
    auto* chars = static_cast<WIDECHAR*>(Allocate(sizeof(WIDECHAR) * size));
    std::copy(text + words[i].start, text + words[i].start + words[i].length, chars);
    chars[words[i].length] = 0;
    word->Data = {chars, size, size};
  }
  out = {elements, count, count};
  return count;
}
