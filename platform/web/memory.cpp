// Nothing to tune: the page's memory is the program's own heap, and the GL
// calls' storage is the browser's.
#include "platform/memory.h"

void keepFreedMemory() {}
