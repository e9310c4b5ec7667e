// Wine's <time.h> with the C11 timespec, the UCRT's localtime_s, which the STL uses, and the
// UCRT's zone globals, which it reaches through functions (Wine's x64 header declares them as
// variables, and _tzname as a single string).
#ifndef MORROWSET_MSVC_ABI_TIME_H
#define MORROWSET_MSVC_ABI_TIME_H
#include_next <time.h>

#ifdef __cplusplus
extern "C" {
#endif
#ifndef _CRT_NO_TIME_T
struct timespec {
  time_t tv_sec;
  long tv_nsec;
};
struct _timespec64 {
  __time64_t tv_sec;
  long tv_nsec;
};
#endif
#define TIME_UTC 1
_ACRTIMP int __cdecl _timespec64_get(struct _timespec64*, int);
static inline int __cdecl timespec_get(struct timespec* out, int base) {
  return _timespec64_get((struct _timespec64*)out, base);
}
_ACRTIMP errno_t __cdecl _localtime64_s(struct tm*, const __time64_t*);
_ACRTIMP errno_t __cdecl _gmtime64_s(struct tm*, const __time64_t*);
static inline errno_t __cdecl localtime_s(struct tm* out, const time_t* when) {
  return _localtime64_s(out, when);
}
static inline errno_t __cdecl gmtime_s(struct tm* out, const time_t* when) { return _gmtime64_s(out, when); }
_ACRTIMP int* __cdecl __daylight(void);
_ACRTIMP long* __cdecl __dstbias(void);
_ACRTIMP long* __cdecl __timezone(void);
_ACRTIMP char** __cdecl __tzname(void);
#define _daylight (*__daylight())
#define _dstbias (*__dstbias())
#define _timezone (*__timezone())
#define _tzname (__tzname())
#ifdef __cplusplus
}
#endif
#endif
