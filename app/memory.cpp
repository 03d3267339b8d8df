#include "schnackomat/app/memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace schnackomat::app {

namespace {

constexpr std::size_t Reused = 256 * 1024 * 1024;
constexpr std::size_t HugePage = 2 * 1024 * 1024;

// The start of the first 2 MiB page PrepareHeapForOneLargeRun prepared, and the block that keeps
// the heap below it out of use: still reachable, so that leak checkers see no leak, and volatile,
// so that the compiler cannot drop an allocation that nothing reads.
std::uintptr_t firstHugePage = 0;
void* volatile keptBelowFirstHugePage = nullptr;

}  // namespace

void KeepLargeBuffersForReuse() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    // Blocks up to this size come from the heap, not from a mapping of their own ...
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(Reused));
    // ... and up to this much free memory at the heap's top stays with the program.
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(Reused));
#endif
}

void PrepareHeapForOneLargeRun(std::size_t bytes) {
    KeepLargeBuffersForReuse();
#if defined(M_ARENA_MAX) && defined(MADV_HUGEPAGE)
    // A second thread would otherwise get a heap of its own, mapped and faulted in page by page.
    mallopt(M_ARENA_MAX, 1);
    // A block larger than this would be mapped on its own and unmapped when freed.
    constexpr std::size_t Largest = Reused - 2 * HugePage;
    bytes = std::min(bytes, Largest);
    // The block comes from the heap's top (growing it if needed) and goes back there, so the
    // conversion's buffers are carved from the same addresses afterwards.
    void* block = std::malloc(bytes);
    if (block == nullptr) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t end = (start + bytes) & ~(HugePage - 1);
    std::uintptr_t begin = (start + HugePage - 1) & ~(HugePage - 1);
    if (firstHugePage != 0 && start >= firstHugePage) {
        begin = start & ~(HugePage - 1);  // continues what an earlier call prepared
    }
    if (begin < end) {
        // Only advice: without 2 MiB pages the memory is served in 4 KiB pages as before.
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    constexpr std::size_t ChunkHeader = 2 * sizeof(std::size_t);
    if (firstHugePage == 0 && begin < end && begin - start > 2 * ChunkHeader) {
        firstHugePage = begin;
        // Shrunk in place, the block keeps the rest of the heap below the first 2 MiB boundary
        // allocated and untouched for the whole run, and gives the part above back to the heap's
        // top: the buffers allocated next start on the boundary.
        keptBelowFirstHugePage = std::realloc(block, begin - start - ChunkHeader);
        return;
    }
    if (firstHugePage == 0 && begin < end) {
        firstHugePage = begin;
    }
    std::free(block);
#else
    static_cast<void>(bytes);
#endif
}

}  // namespace schnackomat::app
