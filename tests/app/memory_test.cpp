#include "schnackomat/app/memory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

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

}  // namespace
}  // namespace schnackomat::app
