// The Windows SDK spells it Windows.h; Wine's headers, on a case-sensitive disk, windows.h.
#include <windows.h>
