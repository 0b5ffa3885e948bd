// Nothing to tune: the Windows heap keeps freed blocks for reuse on its own,
// and the tuning the viewer does elsewhere is glibc's.
#include "platform/memory.h"

void keepFreedMemory() {}
