// Wine's <winnt.h>, whose inline 128-bit compare-exchange clashes with clang's builtin of that
// name: Wine's is renamed away and the builtin used.
#ifndef MORROWSET_MSVC_ABI_WINNT_H
#define MORROWSET_MSVC_ABI_WINNT_H
#define _InterlockedCompareExchange128 morrowset_wine_InterlockedCompareExchange128
#include_next <winnt.h>
#undef _InterlockedCompareExchange128
#ifdef InterlockedCompareExchange128
#undef InterlockedCompareExchange128
#define InterlockedCompareExchange128 _InterlockedCompareExchange128
#endif
#endif
