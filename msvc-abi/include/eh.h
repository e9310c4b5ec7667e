// Terminate and unexpected handlers, with C linkage as ucrtbase and vcruntime140 export them
// (Wine's <eh.h> gives them C++ linkage, which no DLL exports).
#ifndef MORROWSET_MSVC_ABI_EH_H
#define MORROWSET_MSVC_ABI_EH_H
#define __WINE_EH_H  // replaces Wine's header of the same name
#include <corecrt.h>

#pragma pack(push, 8)
extern "C" {
struct _EXCEPTION_POINTERS;
typedef void(__cdecl* terminate_handler)(void);
typedef void(__cdecl* terminate_function)(void);
typedef void(__cdecl* unexpected_handler)(void);
typedef void(__cdecl* unexpected_function)(void);
typedef void(__cdecl* _se_translator_function)(unsigned int code, struct _EXCEPTION_POINTERS* info);

_ACRTIMP terminate_handler __cdecl set_terminate(terminate_handler handler) noexcept;
_ACRTIMP terminate_handler __cdecl _get_terminate(void);
_ACRTIMP __declspec(noreturn) void __cdecl terminate(void) noexcept;
__declspec(dllimport) unexpected_handler __cdecl set_unexpected(unexpected_handler handler) noexcept;
__declspec(dllimport) __declspec(noreturn) void __cdecl unexpected(void);
}
#pragma pack(pop)
#endif
