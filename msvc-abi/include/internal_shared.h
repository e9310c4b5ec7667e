// The runtime-internal helpers that the MSVC STL's sources (stl/src) build on, and the few
// Windows 10 declarations they use that Wine 8's headers lack.
#pragma once
#include <stdlib.h>
#include <windows.h>

#ifdef __cplusplus
#include <type_traits>

// An owning pointer to a block from the CRT heap.
template <class T>
class __crt_unique_heap_ptr {
 public:
  __crt_unique_heap_ptr() noexcept = default;
  explicit __crt_unique_heap_ptr(T* block) noexcept : block_(block) {}
  __crt_unique_heap_ptr(const __crt_unique_heap_ptr&) = delete;
  __crt_unique_heap_ptr& operator=(const __crt_unique_heap_ptr&) = delete;
  __crt_unique_heap_ptr& operator=(T* block) noexcept {
    free(block_);
    block_ = block;
    return *this;
  }
  ~__crt_unique_heap_ptr() { free(block_); }
  T* get() const noexcept { return block_; }
  T* detach() noexcept {
    T* block = block_;
    block_ = nullptr;
    return block;
  }
  explicit operator bool() const noexcept { return block_ != nullptr; }

 private:
  T* block_ = nullptr;
};

#define _malloc_crt_t(type, count) static_cast<type*>(malloc(sizeof(type) * (count)))
#define _calloc_crt_t(type, count) static_cast<type*>(calloc((count), sizeof(type)))
#define _malloc_crt malloc
#define _calloc_crt calloc
#define _free_crt free
#define _atexit_m_appdomain atexit
#endif

#ifndef FILE_DISPOSITION_FLAG_DELETE
#define FILE_DISPOSITION_FLAG_DO_NOT_DELETE 0x00000000
#define FILE_DISPOSITION_FLAG_DELETE 0x00000001
#define FILE_DISPOSITION_FLAG_POSIX_SEMANTICS 0x00000002
#define FILE_DISPOSITION_FLAG_FORCE_IMAGE_SECTION_CHECK 0x00000004
#define FILE_DISPOSITION_FLAG_ON_CLOSE 0x00000008
#define FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE 0x00000010
typedef struct _FILE_DISPOSITION_INFO_EX {
  DWORD Flags;
} FILE_DISPOSITION_INFO_EX, *PFILE_DISPOSITION_INFO_EX;
#endif
#ifndef SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#endif
#ifndef _FILE_ID_INFO_DEFINED
#define _FILE_ID_INFO_DEFINED
typedef struct _FILE_ID_INFO {
  ULONGLONG VolumeSerialNumber;
  struct {
    BYTE Identifier[16];
  } FileId;
} FILE_ID_INFO, *PFILE_ID_INFO;
#endif

#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP unsigned int __cdecl ___lc_codepage_func(void);
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
extern "C" {
#endif
// Windows 11's temporary-folder query; the STL only takes its type and looks it up at run time.
WINBASEAPI DWORD WINAPI GetTempPath2W(DWORD length, LPWSTR buffer);
#ifdef __cplusplus
}
#endif
