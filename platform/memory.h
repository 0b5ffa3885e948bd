// How the process's allocator treats freed memory.
#pragma once

// Keeps freed memory for reuse rather than handing it back to the system.
// The GL driver allocates and frees megabytes of vertex storage in every
// frame; handed back each time, it costs a thousand page faults a frame and
// makes resident memory swing by megabytes.
void keepFreedMemory();
