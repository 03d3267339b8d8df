#include "schnackomat/app/memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define SCHNACKOMAT_OWN_ALLOCATOR 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SCHNACKOMAT_OWN_ALLOCATOR 0
#endif
#endif
#if !defined(SCHNACKOMAT_OWN_ALLOCATOR)
#define SCHNACKOMAT_OWN_ALLOCATOR 1
#endif

namespace schnackomat::app {
namespace {

// A buffer the size of a long text's Matrix code comes from the heap, and stays there for the
// next conversion after it is freed, instead of being mapped and cleared afresh each time.
TEST(Memory, LargeBuffersStayInTheHeapForReuse) {
#if !SCHNACKOMAT_OWN_ALLOCATOR || !defined(M_MMAP_THRESHOLD) || !defined(__GLIBC__)
    GTEST_SKIP() << "needs the C library's own allocator";
#else
    KeepLargeBuffersForReuse();
    constexpr std::size_t Size = 120 * 1024 * 1024;
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void* buffer = std::malloc(Size);
    ASSERT_NE(buffer, nullptr);
    std::memset(buffer, 1, Size);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << "the buffer has a mapping of its own";
    const std::size_t heapWhileUsed = mallinfo2().arena;
    std::free(buffer);
    EXPECT_EQ(mallinfo2().arena, heapWhileUsed) << "the freed buffer went back to the kernel";
    EXPECT_GE(mallinfo2().fordblks, Size);
#endif
}

#if SCHNACKOMAT_OWN_ALLOCATOR && defined(M_ARENA_MAX) && defined(__linux__)
constexpr std::size_t HugePage = 2 * 1024 * 1024;
constexpr std::size_t Prepared = 64 * 1024 * 1024;

// The line of /proc/self/smaps that follows the mapping holding `address` and starts with `key`.
std::string MappingLine(const void* address, const std::string& key) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> begin >> dash >> end && dash == '-') {
            inside = begin <= at && at < end;
            if (inside && key.empty()) {
                return line;
            }
        } else if (inside && line.starts_with(key)) {
            return line;
        }
    }
    return {};
}

// Large buffers allocated after the preparation start on a 2 MiB boundary (behind the allocator's
// few bytes of bookkeeping), so that every 2 MiB of them can be one page.
TEST(Memory, LargeBuffersStartOnA2MiBBoundaryAfterPreparing) {
    PrepareHeapForOneLargeRun(Prepared);
    for (const std::size_t size : {std::size_t{1} << 20, std::size_t{8} << 20}) {
        void* buffer = std::malloc(size);
        ASSERT_NE(buffer, nullptr);
        const std::size_t belowBoundary =
            (HugePage - reinterpret_cast<std::uintptr_t>(buffer) % HugePage) % HugePage;
        EXPECT_LE(belowBoundary, 64u) << size;
        std::free(buffer);
    }
}

// The kernel is asked for 2 MiB pages for the prepared part of the heap, where it has them.
TEST(Memory, PreparedHeapIsAdvisedForLargePages) {
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage")) {
        GTEST_SKIP() << "the kernel has no 2 MiB pages for ordinary memory";
    }
    PrepareHeapForOneLargeRun(Prepared);
    void* buffer = std::malloc(Prepared / 2);
    ASSERT_NE(buffer, nullptr);
    const std::string flags = MappingLine(buffer, "VmFlags:");
    EXPECT_NE(flags.find(" hg"), std::string::npos) << flags;
    std::free(buffer);
}

// A second thread allocates from the prepared heap too, not from a heap of its own.
TEST(Memory, SecondThreadAllocatesFromTheSameHeap) {
    PrepareHeapForOneLargeRun(Prepared);
    void* fromThread = nullptr;
    std::thread([&fromThread] { fromThread = std::malloc(HugePage); }).join();
    ASSERT_NE(fromThread, nullptr);
    EXPECT_NE(MappingLine(fromThread, "").find("[heap]"), std::string::npos)
        << MappingLine(fromThread, "");
    std::free(fromThread);
}
#endif

}  // namespace
}  // namespace schnackomat::app
