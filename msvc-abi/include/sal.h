// Wine's source annotations with the few more that the MSVC STL uses; all expand to nothing.
#ifndef MORROWSET_MSVC_ABI_SAL_H
#define MORROWSET_MSVC_ABI_SAL_H
#include_next <sal.h>

#define _Analysis_assume_(expression)
#define _Check_return_opt_
#define _Field_z_
#define _Guarded_by_(lock)
#define _Inout_bytecount_(size)
#define _Pre_satisfies_(condition)
#endif
