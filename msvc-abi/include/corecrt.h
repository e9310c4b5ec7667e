// Wine's <corecrt.h> with the UCRT's multibyte conversion state, which the STL names directly.
#ifndef MORROWSET_MSVC_ABI_CORECRT_H
#define MORROWSET_MSVC_ABI_CORECRT_H
#include_next <corecrt.h>

#ifdef __cplusplus
extern "C" {
#endif
// 8 bytes, as in the UCRT: msvcp140 takes it by pointer and std::fpos embeds it.
typedef struct _Mbstatet {
  unsigned long _Wchar;
  unsigned short _Byte;
  unsigned short _State;
} _Mbstatet;

_ACRTIMP __declspec(noreturn) void __cdecl _invalid_parameter_noinfo_noreturn(void);
_ACRTIMP void __cdecl _invalid_parameter_noinfo(void);
#ifdef __cplusplus
}
#endif
#endif
