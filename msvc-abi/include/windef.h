// Wine's <windef.h>, which macroizes the keyword inline for MSVC: C++ keeps the keyword.
#ifndef MORROWSET_MSVC_ABI_WINDEF_H
#define MORROWSET_MSVC_ABI_WINDEF_H
#include_next <windef.h>
#if defined(__cplusplus) && defined(inline)
#undef inline
#endif
#endif
