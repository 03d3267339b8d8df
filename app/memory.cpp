#include "schnackomat/app/memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace schnackomat::app {

void KeepLargeBuffersForReuse() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    constexpr int Reused = 256 * 1024 * 1024;
    // Blocks up to this size come from the heap, not from a mapping of their own ...
    mallopt(M_MMAP_THRESHOLD, Reused);
    // ... and up to this much free memory at the heap's top stays with the program.
    mallopt(M_TRIM_THRESHOLD, Reused);
#endif
}

}  // namespace schnackomat::app
