// The module-local part of the Visual C++ runtime that Microsoft ships only as a static library
// (msvcrt.lib): initialiser tables, atexit, the /GS cookie, operator new and delete, type_info,
// thread-safe local statics and the module's TLS directory. Every module links its own copy.
#include <corecrt_startup.h>
#include <eh.h>
#include <intrin.h>
#include <limits.h>
#include <stdlib.h>
#include <windows.h>

#include <new>
#include <typeinfo>

#include "Runtime.h"

// ---- Initialiser tables ------------------------------------------------------------------
// The linker sorts the .CRT$X?? sections by name: the compiler puts every initialiser between
// these markers (.CRT$XIU for C, .CRT$XCU for C++).
#pragma section(".CRT$XIA", long, read)
#pragma section(".CRT$XIZ", long, read)
#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)
extern "C" {
__declspec(allocate(".CRT$XIA")) _PIFV __xi_a[] = {nullptr};
__declspec(allocate(".CRT$XIZ")) _PIFV __xi_z[] = {nullptr};
__declspec(allocate(".CRT$XCA")) _PVFV __xc_a[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) _PVFV __xc_z[] = {nullptr};
}

extern "C" {
_ACRTIMP void __cdecl _initterm(_PVFV* first, _PVFV* last);
_ACRTIMP int __cdecl _initterm_e(_PIFV* first, _PIFV* last);
}

namespace {
_onexit_table_t exitTable;
}

bool MorrowsetRunInitialisers() {
  _initialize_onexit_table(&exitTable);
  if (_initterm_e(__xi_a, __xi_z) != 0) return false;
  _initterm(__xc_a, __xc_z);
  return true;
}

void MorrowsetRunExitTable() { _execute_onexit_table(&exitTable); }

// Static destructors of this module run when the module ends: a DLL at its process detach, an
// EXE from exit() (its start-up code hands the table to the C runtime).
extern "C" int __cdecl atexit(_PVFV function) {
  return _register_onexit_function(&exitTable, reinterpret_cast<_onexit_t>(function));
}
extern "C" _onexit_t __cdecl _onexit(_onexit_t function) {
  return _register_onexit_function(&exitTable, function) == 0 ? function : nullptr;
}

// ---- terminate ---------------------------------------------------------------------------
// The compiler calls terminate() from noexcept boundaries by its C++ name, through an import
// slot; ucrtbase exports it under its C name. The slot is filled here.
namespace {
[[noreturn]] void __cdecl Terminate() { terminate(); }
}  // namespace
extern "C" void (*const MorrowsetTerminateSlot)() __asm__("__imp_?terminate@@YAXXZ") = Terminate;

// ---- Load-config directory ----------------------------------------------------------------
// The linker takes _load_config_used from LoadConfig.cpp only when told to, as the MSVC CRT tells it.
#pragma comment(linker, "/include:_load_config_used")

// ---- /GS cookie ---------------------------------------------------------------------------
extern "C" {
uintptr_t __security_cookie = 0x00002B992DDFA232ULL;
uintptr_t __security_cookie_complement = ~0x00002B992DDFA232ULL;

void __cdecl __security_check_cookie(uintptr_t cookie) {
  if (cookie != __security_cookie) __fastfail(2);  // FAST_FAIL_STACK_COOKIE_CHECK_FAILURE
}
// Floating point is in use: the linker looks for this name.
int _fltused = 0x9875;
}

void MorrowsetInitSecurityCookie() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  uintptr_t cookie = static_cast<uintptr_t>(counter.QuadPart) ^
                     (static_cast<uintptr_t>(now.dwHighDateTime) << 32) ^ now.dwLowDateTime ^
                     (static_cast<uintptr_t>(GetCurrentThreadId()) << 16) ^ GetCurrentProcessId() ^
                     reinterpret_cast<uintptr_t>(&cookie);
  cookie &= 0x0000FFFFFFFFFFFFULL;
  if (cookie == 0x00002B992DDFA232ULL || cookie == 0) cookie = 0x00002B992DDFA233ULL;
  __security_cookie = cookie;
  __security_cookie_complement = ~cookie;
}

// ---- Allocation ---------------------------------------------------------------------------
extern "C" __declspec(dllimport) int __cdecl _callnewh(size_t size);
namespace std {
const nothrow_t nothrow{};
}

void* __cdecl operator new(size_t size) {
  for (;;) {
    if (void* block = malloc(size ? size : 1)) return block;
    if (_callnewh(size) == 0) throw std::bad_alloc();
  }
}
void* __cdecl operator new[](size_t size) { return operator new(size); }
void* __cdecl operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (...) {
    return nullptr;
  }
}
void* __cdecl operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void __cdecl operator delete(void* block) noexcept { free(block); }
void __cdecl operator delete[](void* block) noexcept { free(block); }
void __cdecl operator delete(void* block, size_t) noexcept { free(block); }
void __cdecl operator delete[](void* block, size_t) noexcept { free(block); }
void __cdecl operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void __cdecl operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }

void* __cdecl operator new(size_t size, std::align_val_t alignment) {
  for (;;) {
    if (void* block = _aligned_malloc(size ? size : 1, static_cast<size_t>(alignment))) return block;
    if (_callnewh(size) == 0) throw std::bad_alloc();
  }
}
void* __cdecl operator new[](size_t size, std::align_val_t alignment) {
  return operator new(size, alignment);
}
void* __cdecl operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  try {
    return operator new(size, alignment);
  } catch (...) {
    return nullptr;
  }
}
void* __cdecl operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
  return operator new(size, alignment, tag);
}
void __cdecl operator delete(void* block, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete[](void* block, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete(void* block, size_t, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete[](void* block, size_t, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  _aligned_free(block);
}
void __cdecl operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  _aligned_free(block);
}

// ---- type_info ----------------------------------------------------------------------------
// Every type descriptor the compiler emits points to type_info's vtable, which the compiler
// never emits itself (no type_info is ever constructed in code): it is written out here, one
// slot, the scalar deleting destructor, behind an empty complete-object-locator slot.
type_info::~type_info() noexcept {}

extern "C" void* __cdecl MorrowsetDeleteTypeInfo(type_info* self, unsigned int flags) {
  self->~type_info();
  if (flags & 1) operator delete(self);
  return self;
}
__asm__(
    ".section .rdata,\"dr\"\n"
    ".p2align 3\n"
    "  .quad 0\n"
    ".globl \"??_7type_info@@6B@\"\n"
    "\"??_7type_info@@6B@\":\n"
    "  .quad MorrowsetDeleteTypeInfo\n"
    ".text\n");

struct __type_info_node {
  void* next;
  void* name;
};
extern "C" __type_info_node __type_info_root_node{};
extern "C" __declspec(dllimport) void __cdecl __std_type_info_destroy_list(__type_info_node* root);

void MorrowsetDestroyTypeNames() { __std_type_info_destroy_list(&__type_info_root_node); }

// ---- Thread-safe local statics ------------------------------------------------------------
// The compiler guards each local static with an int: 0 before, -1 while one thread runs the
// initialiser, and afterwards the global epoch at which it finished. A thread that has seen
// epoch E skips every guard at or below E without taking the lock.
extern "C" {
int _Init_global_epoch = INT_MIN;
__declspec(thread) int _Init_thread_epoch = INT_MIN;
}

namespace {
SRWLOCK staticsLock = SRWLOCK_INIT;
CONDITION_VARIABLE staticsDone = CONDITION_VARIABLE_INIT;
constexpr int kRunning = -1;
}  // namespace

extern "C" void __cdecl _Init_thread_header(int* guard) {
  AcquireSRWLockExclusive(&staticsLock);
  if (*guard == 0) {
    *guard = kRunning;
  } else {
    while (*guard == kRunning) {
      SleepConditionVariableSRW(&staticsDone, &staticsLock, INFINITE, 0);
      if (*guard == 0) {  // the other thread's initialiser threw: this one runs it
        *guard = kRunning;
        ReleaseSRWLockExclusive(&staticsLock);
        return;
      }
    }
    _Init_thread_epoch = _Init_global_epoch;
  }
  ReleaseSRWLockExclusive(&staticsLock);
}

extern "C" void __cdecl _Init_thread_footer(int* guard) {
  AcquireSRWLockExclusive(&staticsLock);
  ++_Init_global_epoch;
  *guard = _Init_global_epoch;
  _Init_thread_epoch = _Init_global_epoch;
  ReleaseSRWLockExclusive(&staticsLock);
  WakeAllConditionVariable(&staticsDone);
}

extern "C" void __cdecl _Init_thread_abort(int* guard) {
  AcquireSRWLockExclusive(&staticsLock);
  *guard = 0;
  ReleaseSRWLockExclusive(&staticsLock);
  WakeAllConditionVariable(&staticsDone);
}

// ---- TLS directory ------------------------------------------------------------------------
// thread_local data goes to .tls$; these markers bound it, and _tls_used is the directory the
// linker points the image's TLS entry at.
#pragma section(".tls", long, read, write)
#pragma section(".tls$ZZZ", long, read, write)
#pragma section(".CRT$XLA", long, read)
#pragma section(".CRT$XLZ", long, read)
extern "C" {
ULONG _tls_index = 0;
__declspec(allocate(".tls")) char _tls_start = 0;
__declspec(allocate(".tls$ZZZ")) char _tls_end = 0;
__declspec(allocate(".CRT$XLA")) PIMAGE_TLS_CALLBACK __xl_a = nullptr;
__declspec(allocate(".CRT$XLZ")) PIMAGE_TLS_CALLBACK __xl_z = nullptr;
extern const IMAGE_TLS_DIRECTORY64 _tls_used = {reinterpret_cast<ULONGLONG>(&_tls_start),
                                                reinterpret_cast<ULONGLONG>(&_tls_end),
                                                reinterpret_cast<ULONGLONG>(&_tls_index),
                                                reinterpret_cast<ULONGLONG>(&__xl_a + 1),
                                                0,
                                                {}};
}

// ---- Stack probe --------------------------------------------------------------------------
// A frame larger than a page must touch each page from the top down, so that the guard page
// grows the stack in order. Takes the frame size in rax and changes no register.
__asm__(
    ".globl __chkstk\n"
    "__chkstk:\n"
    "  pushq %rcx\n"
    "  pushq %rax\n"
    "  leaq 24(%rsp), %rcx\n"  // the caller's stack pointer
    "  cmpq $0x1000, %rax\n"
    "  jb 2f\n"
    "1:\n"
    "  subq $0x1000, %rcx\n"
    "  orq $0, (%rcx)\n"
    "  subq $0x1000, %rax\n"
    "  cmpq $0x1000, %rax\n"
    "  ja 1b\n"
    "2:\n"
    "  subq %rax, %rcx\n"
    "  orq $0, (%rcx)\n"
    "  popq %rax\n"
    "  popq %rcx\n"
    "  ret\n");
