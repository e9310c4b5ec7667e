// The Visual C++ runtime's base declarations, as the MSVC STL and UCRT headers expect them.
#pragma once
#ifndef _VCRUNTIME_H
#define _VCRUNTIME_H

#include <corecrt.h>
#include <vadefs.h>
#include <sal.h>

#define _VCRTIMP __declspec(dllimport)
// msvcp140.dll and its satellites.
#define _CRTIMP2 __declspec(dllimport)
#define _MRTIMP2 __declspec(dllimport)
#define _CRT_SATELLITE_1 __declspec(dllimport)
#define _CRT_SATELLITE_2 __declspec(dllimport)
// The char16_t/char32_t codecvt ids live in msvcp140_codecvt_ids.dll, which Wine lacks: they
// are not imported, so a module using those facets must define them itself.
#define _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
#define _PGLOBAL
#define __CRTDECL __cdecl
#define __CLRCALL_PURE_OR_CDECL __cdecl
#define __CLRCALL_OR_CDECL __cdecl

#define _CRT_PACKING 8
#define _HAS_EXCEPTIONS 1
#define _CRT_HAS_CXX17 1
#define _CRT_FUNCTIONS_REQUIRED 1
#define _CRT_INTERNAL_NONSTDC_NAMES 1
#define _VCRUNTIME_DISABLED_WARNINGS
#define _VCRUNTIME_EXTRA_DISABLED_WARNINGS
#define _UCRT_DISABLED_WARNINGS

#ifdef __cplusplus
#define _CRT_BEGIN_C_HEADER _Pragma("pack(push, _CRT_PACKING)") extern "C" {
#define _CRT_END_C_HEADER \
  }                       \
  _Pragma("pack(pop)")
#define _VCRT_DEFINED_NOEXCEPT
#else
#define _CRT_BEGIN_C_HEADER _Pragma("pack(push, _CRT_PACKING)")
#define _CRT_END_C_HEADER _Pragma("pack(pop)")
#endif

#define _CRT_STRINGIZE_(x) #x
#define _CRT_STRINGIZE(x) _CRT_STRINGIZE_(x)
#define _CRT_WIDE_(s) L##s
#define _CRT_WIDE(s) _CRT_WIDE_(s)
#define _CRT_CONCATENATE_(a, b) a##b
#define _CRT_CONCATENATE(a, b) _CRT_CONCATENATE_(a, b)
#define _CRT_UNPARENTHESIZE_(...) __VA_ARGS__
#define _CRT_UNPARENTHESIZE(...) _CRT_UNPARENTHESIZE_ __VA_ARGS__

#define _VCRT_ALIGN(x) __declspec(align(x))
#define _CRT_ALIGN(x) __declspec(align(x))
#define _VCRT_NOALIAS __declspec(noalias)
#define _VCRT_RESTRICT __declspec(restrict)
#define _VCRT_ALLOCATOR __declspec(allocator)
#define _CRTALLOCATOR __declspec(allocator)
#define _CRTRESTRICT __declspec(restrict)
#define _CRT_GUARDOVERFLOW
#define _CRT_HYBRIDPATCHABLE
#define _CRT_NOEXCEPT noexcept
#define _CRT_DEPRECATE_TEXT(text) __declspec(deprecated(text))
#define _CRT_INSECURE_DEPRECATE(replacement)
#define _CRT_INSECURE_DEPRECATE_MEMORY(replacement)
#define _CRT_NONSTDC_DEPRECATE(replacement)
#define _CRT_OBSOLETE(replacement)
#define _CRT_SECURE_CPP_NOTHROW throw()
#define _CRT_UNUSED(x) (void)x
#ifndef _CRT_NODISCARD
#define _CRT_NODISCARD [[nodiscard]]
#endif
#define _VCRT_EXPORT_STD

#ifndef _HAS_CXX17
#if _MSVC_LANG > 201402L
#define _HAS_CXX17 1
#else
#define _HAS_CXX17 0
#endif
#endif
#ifndef _HAS_CXX20
#if _HAS_CXX17 && _MSVC_LANG > 201703L
#define _HAS_CXX20 1
#else
#define _HAS_CXX20 0
#endif
#endif
#ifndef _HAS_CXX23
#if _HAS_CXX20 && _MSVC_LANG > 202002L
#define _HAS_CXX23 1
#else
#define _HAS_CXX23 0
#endif
#endif
#define _HAS_NODISCARD 1
#define _NODISCARD [[nodiscard]]
#define __CLR_OR_THIS_CALL

#define _CRT_SECURE_INVALID_PARAMETER(expr) ::_invalid_parameter_noinfo_noreturn()

#define __crt_countof(array) (sizeof(array) / sizeof((array)[0]))

#ifndef _CRT_SECURE_NO_WARNINGS
#define _CRT_SECURE_NO_WARNINGS
#endif

#ifdef __cplusplus
extern "C" {
#endif
void __cdecl __security_check_cookie(uintptr_t cookie);
extern uintptr_t __security_cookie;
#ifdef __cplusplus
}
#endif

#endif
