// The tick count as the Windows viewer reads it at start-up, for the
// scenario that finds the seed it took: Wine's own, which may lag the host's.
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("%lu\n", GetTickCount());
    return 0;
}
