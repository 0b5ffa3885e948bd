// glibc's allocator, told to keep what the GL driver frees. Other C
// libraries (musl, the BSDs') have no such settings: there the allocator is
// left as it is.
#include "platform/memory.h"

#include <climits>  // on glibc, defines __GLIBC__ (through <features.h>)

#ifdef __GLIBC__
#include <malloc.h>

namespace {

// glibc's largest allowed threshold for serving a request by its own mapping.
constexpr int kLargestMappingThreshold = 32 * 1024 * 1024;
constexpr int kNeverTrim = 1024 * 1024 * 1024;

}  // namespace

void keepFreedMemory() {
    // Fixed values also stop glibc from moving the thresholds on its own.
    mallopt(M_MMAP_THRESHOLD, kLargestMappingThreshold);
    mallopt(M_TRIM_THRESHOLD, kNeverTrim);
}
#else
void keepFreedMemory() {}
#endif
