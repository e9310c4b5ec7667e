// Hands engine buffers back to the host allocator, exactly once, also while an exception passes.
#pragma once

#include <memory>

#include "ZelApi.h"

// Frees one engine buffer through the resolved "FMemory.Free(void*)"; null is skipped.
void FreeHostMemory(void* buffer);
// Frees a string's buffer and leaves the string empty.
void FreeHostMemory(FString& text);
// Frees every word's buffer in index order, then the array's, and leaves the array empty.
void FreeHostMemory(TArray<FString>& words);

// Returns a guard that frees holder's buffers through FreeHostMemory when the scope ends.
template <typename T>
auto HoldHostMemory(T& holder) {
  return std::unique_ptr<T, void (*)(T*)>(&holder, [](T* held) { FreeHostMemory(*held); });
}
