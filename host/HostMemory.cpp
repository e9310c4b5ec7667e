// Hands engine buffers back through the host's "FMemory.Free(void*)", resolved at every call.
#include "HostMemory.h"

void FreeHostMemory(void* buffer) {
  if (buffer == nullptr) return;
  auto free = reinterpret_cast<void (*)(void*)>(ZelApi::GetAddress("FMemory.Free(void*)"));
  if (free != nullptr) free(buffer);
}

void FreeHostMemory(FString& text) {
  FreeHostMemory(static_cast<void*>(text.Data.Data));
  text.Data = {};
}

void FreeHostMemory(TArray<FString>& words) {
  for (int32_t i = 0; i < words.ArrayNum; ++i) FreeHostMemory(words.Data[i]);
  FreeHostMemory(static_cast<void*>(words.Data));
  words = {};
}
