/* Preloaded into a viewer under measurement: notes the time of the first
   completed buffer swap (wall clock, to compare with the start's), the
   process's CPU time (all threads) and its allocation count at every swap,
   ends the viewer after PLASMA_PROBE_SWAPS swaps, and writes what it noted
   at exit to the file named by PLASMA_PROBE_OUT. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

extern void* __libc_malloc(size_t size);
extern void* __libc_calloc(size_t count, size_t size);
extern void* __libc_realloc(void* block, size_t size);

static atomic_long allocations;
static long swaps;
static double firstSwap;              /* seconds since the epoch */
static double cpuAtSecond, cpuAtLast; /* process CPU seconds at the 2nd and last swap */
static long allocationsAtSecond, allocationsAtLast;

void* malloc(size_t size) {
    atomic_fetch_add_explicit(&allocations, 1, memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    atomic_fetch_add_explicit(&allocations, 1, memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    atomic_fetch_add_explicit(&allocations, 1, memory_order_relaxed);
    return __libc_realloc(block, size);
}

static double seconds(clockid_t clock) {
    struct timespec now;
    clock_gettime(clock, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (real == NULL) {
        real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    /* Mesa's software swap has put the image on the screen once it returns. */
    real(display, drawable);
    ++swaps;
    if (swaps == 1) {
        firstSwap = seconds(CLOCK_REALTIME);
    }
    const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID);
    const long count = atomic_load(&allocations);
    if (swaps == 2) {
        cpuAtSecond = cpu;
        allocationsAtSecond = count;
    }
    cpuAtLast = cpu;
    allocationsAtLast = count;
    const char* limit = getenv("PLASMA_PROBE_SWAPS");
    if (limit != NULL && swaps >= atol(limit)) {
        exit(0);
    }
}

static long peakResidentKiB(void) {
    FILE* status = fopen("/proc/self/status", "r");
    char line[256];
    long kib = -1;
    while (status != NULL && fgets(line, sizeof line, status) != NULL) {
        if (strncmp(line, "VmHWM:", 6) == 0) {
            kib = atol(line + 6);
        }
    }
    if (status != NULL) {
        fclose(status);
    }
    return kib;
}

__attribute__((destructor)) static void report(void) {
    const char* path = getenv("PLASMA_PROBE_OUT");
    FILE* out = path != NULL ? fopen(path, "w") : NULL;
    if (out == NULL) {
        return;
    }
    const long frames = swaps - 2;
    fprintf(out, "%ld %.6f %.6f %.3f %ld\n", swaps, firstSwap,
            frames > 0 ? (cpuAtLast - cpuAtSecond) / (double)frames : 0.0,
            frames > 0 ? (double)(allocationsAtLast - allocationsAtSecond) / (double)frames : 0.0, peakResidentKiB());
    fclose(out);
}
