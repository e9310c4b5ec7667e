// terminate handlers, which Wine declares in eh.h.
#include <eh.h>
