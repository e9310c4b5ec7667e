// Wine's <stdlib.h> with a module-local atexit and the UCRT functions it lacks.
#ifndef MORROWSET_MSVC_ABI_STDLIB_H
#define MORROWSET_MSVC_ABI_STDLIB_H
// atexit and _onexit are not imported: each module has its own table (msvc-abi/crt), so that a
// DLL's static destructors run when it unloads, not at process exit.
#define atexit morrowset_wine_atexit
#define _onexit morrowset_wine_onexit
#include_next <stdlib.h>
#undef atexit
#undef _onexit
#include <corecrt_startup.h>
#include <errno.h>

#ifdef __cplusplus
extern "C" {
#endif
int __cdecl atexit(void(__cdecl* function)(void));
_onexit_t __cdecl _onexit(_onexit_t function);
_ACRTIMP DECLSPEC_NORETURN void __cdecl quick_exit(int);
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int flags, unsigned int mask);
_ACRTIMP errno_t __cdecl _dupenv_s(char** buffer, size_t* count, const char* name);
static inline int __cdecl at_quick_exit(void(__cdecl* function)(void)) {
  return _crt_at_quick_exit(function);
}
#ifdef __cplusplus
}
#endif
#endif
