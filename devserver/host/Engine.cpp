// The engine allocator, FString, and the event and fault logs of the development host.
#include <cstdlib>
#include <new>
#include <unordered_set>

#include "Internal.h"

namespace DevHost {
namespace {

Events events;
Events faults;
std::function<void(const std::string&)> listener;

std::unordered_set<void*> live;
std::unordered_set<void*> freed;

}  // namespace

namespace Internal {

void Record(const std::string& event) {
  events.push_back(event);
  if (listener) listener(event);
}

void Fault(const std::string& what) {
  faults.push_back(what);
  if (listener) listener("fault: " + what);
}

void* Allocate(std::size_t bytes) {
  void* buffer = std::malloc(bytes);
  if (buffer == nullptr) throw std::bad_alloc();
  live.insert(buffer);
  freed.erase(buffer);
  return buffer;
}

void Free(void* buffer) {
  if (buffer == nullptr) return;
  if (live.erase(buffer) == 0) {
    Fault(freed.count(buffer) ? "double free" : "free of a buffer the engine never allocated");
    return;
  }
  freed.insert(buffer);
  std::free(buffer);
  Record("free");
}

void Release(void* buffer) {
  if (buffer == nullptr) return;
  if (live.erase(buffer) == 0) {
    Fault("the host's own buffer was freed by someone else");
    return;
  }
  freed.insert(buffer);
  std::free(buffer);
}

void ResetAllocator() {
  for (void* buffer : live) std::free(buffer);
  live.clear();
  freed.clear();
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

Events AllEvents() { return events; }

Events TakeEvents() {
  Events taken;
  taken.swap(events);
  return taken;
}

Events Faults() { return faults; }

void SetListener(std::function<void(const std::string&)> callback) { listener = std::move(callback); }

std::size_t OutstandingBuffers() { return live.size(); }

void Reset() {
  events.clear();
  faults.clear();
  Internal::ResetRegistries();
  Internal::ResetAllocator();
  Internal::ResetGame();
  Internal::ResetLoader();
}

}  // namespace DevHost

// ---- FString ---------------------------------------------------------------------------------

FString::FString(const char* text) { DevHost::Internal::MakeFString(*this, text ? text : ""); }

int32_t FString::ParseIntoArray(TArray<FString>& out, const WIDECHAR* delimiter, bool cull) const {
  using DevHost::Internal::Allocate;
  if (out.ArrayNum != 0) DevHost::Internal::Fault("ParseIntoArray into a non-empty array");
  std::u16string text;
  for (const WIDECHAR* c = **this; *c; ++c) text += static_cast<char16_t>(*c);
  std::u16string delim;
  for (const WIDECHAR* c = delimiter; c && *c; ++c) delim += static_cast<char16_t>(*c);

  std::vector<std::u16string> words;
  std::size_t start = 0;
  while (!delim.empty()) {
    const std::size_t at = text.find(delim, start);
    if (at == std::u16string::npos) break;
    words.push_back(text.substr(start, at - start));
    start = at + delim.size();
  }
  words.push_back(text.substr(start));
  if (cull) {
    std::vector<std::u16string> kept;
    for (auto& word : words)
      if (!word.empty()) kept.push_back(word);
    words.swap(kept);
  }

  out = {};
  if (words.empty()) return 0;
  const auto count = static_cast<int32_t>(words.size());
  auto* elements = static_cast<FString*>(Allocate(sizeof(FString) * count));
  for (int32_t i = 0; i < count; ++i) {
    auto* word = new (&elements[i]) FString();
    const std::u16string& chars = words[i];
    if (chars.empty()) continue;
    const auto length = static_cast<int32_t>(chars.size() + 1);
    auto* buffer = static_cast<WIDECHAR*>(Allocate(sizeof(WIDECHAR) * length));
    for (std::size_t j = 0; j < chars.size(); ++j) buffer[j] = static_cast<WIDECHAR>(chars[j]);
    buffer[chars.size()] = 0;
    word->Data = {buffer, length, length};
  }
  out = {elements, count, count};
  return count;
}
