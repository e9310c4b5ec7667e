// Wine's <stdio.h> with the C99 scanf family and the UCRT's secure and stream-buffer functions
// that it lacks.
#ifndef MORROWSET_MSVC_ABI_STDIO_H
#define MORROWSET_MSVC_ABI_STDIO_H
#include_next <stdio.h>
#include <share.h>  // the UCRT's stdio.h brings the _SH_ sharing modes

#ifdef __cplusplus
extern "C" {
#endif
static inline int __cdecl vfscanf(FILE* stream, const char* format, va_list args) {
  return __stdio_common_vfscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, stream, format, NULL, args);
}
static inline int __cdecl vscanf(const char* format, va_list args) {
  return __stdio_common_vfscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, stdin, format, NULL, args);
}
static inline int __cdecl vsscanf(const char* buffer, const char* format, va_list args) {
  return __stdio_common_vsscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format, NULL, args);
}
static inline int __cdecl vsnprintf_s(char* buffer, size_t size, size_t count, const char* format,
                                      va_list args) {
  return _vsnprintf_s(buffer, size, count, format, args);
}
_ACRTIMP errno_t __cdecl _get_stream_buffer_pointers(FILE* stream, char*** base, char*** pointer,
                                                     int** count);
#ifdef __cplusplus
}
#endif
#endif
