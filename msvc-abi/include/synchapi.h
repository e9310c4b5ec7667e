// The synchronisation API; Wine declares it in windows.h, not in a header of its own.
#include <windows.h>
