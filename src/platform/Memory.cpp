#include "platform/Memory.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// glibc's initial threshold, from which it would otherwise drift upwards.
constexpr int kLargeBlockBytes = 128 * 1024;

} // namespace

void KeepLargeBlocksMapped() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
    // The free space at the heap's end goes back from the same size on, which
    // the drift would have raised as well.
    mallopt(M_TRIM_THRESHOLD, kLargeBlockBytes);
#endif
}
