// Wine's <wchar.h> with the UCRT's 8-byte mbstate_t and the C99 wide functions it lacks.
#ifndef MORROWSET_MSVC_ABI_WCHAR_H
#define MORROWSET_MSVC_ABI_WCHAR_H

// Wine declares mbstate_t as an int; the UCRT (and msvcp140, which takes it by pointer and
// embeds it in std::fpos) has an 8-byte struct. Wine's declarations are renamed out of the way.
#define mbstate_t morrowset_wine_mbstate_t
#define mbrlen morrowset_wine_mbrlen
#define mbrtowc morrowset_wine_mbrtowc
#define mbsrtowcs morrowset_wine_mbsrtowcs
#define wcrtomb morrowset_wine_wcrtomb
#define wcsrtombs morrowset_wine_wcsrtombs
#include_next <wchar.h>
#undef mbstate_t
#undef mbrlen
#undef mbrtowc
#undef mbsrtowcs
#undef wcrtomb
#undef wcsrtombs

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef _Mbstatet mbstate_t;

_ACRTIMP size_t __cdecl mbrlen(const char*, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl mbrtowc(wchar_t*, const char*, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl mbsrtowcs(wchar_t*, const char**, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl wcrtomb(char*, wchar_t, mbstate_t*);
_ACRTIMP size_t __cdecl wcsrtombs(char*, const wchar_t**, size_t, mbstate_t*);
_ACRTIMP long double __cdecl wcstold(const wchar_t*, wchar_t**);

// fwide and mbsinit are inline in the UCRT: it has no wide orientation.
static inline int __cdecl fwide(FILE* stream, int mode) {
  (void)stream;
  return mode;
}
static inline int __cdecl mbsinit(const mbstate_t* state) { return !state || state->_State == 0; }

_ACRTIMP int __cdecl __stdio_common_vfwscanf(unsigned __int64, FILE*, const wchar_t*, _locale_t, va_list);
_ACRTIMP int __cdecl __stdio_common_vswscanf(unsigned __int64, const wchar_t*, size_t, const wchar_t*,
                                             _locale_t, va_list);
static inline int __cdecl vfwscanf(FILE* stream, const wchar_t* format, va_list args) {
  return __stdio_common_vfwscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, stream, format, NULL, args);
}
static inline int __cdecl vwscanf(const wchar_t* format, va_list args) {
  return __stdio_common_vfwscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, stdin, format, NULL, args);
}
static inline int __cdecl vswscanf(const wchar_t* buffer, const wchar_t* format, va_list args) {
  return __stdio_common_vswscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format, NULL, args);
}

#ifdef __cplusplus
}
#endif
#endif
