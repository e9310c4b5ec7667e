// Wine's <signal.h> with C's sig_atomic_t, which the UCRT declares there.
#ifndef MORROWSET_MSVC_ABI_SIGNAL_H
#define MORROWSET_MSVC_ABI_SIGNAL_H
#include_next <signal.h>
typedef int sig_atomic_t;
#endif
