#include "allocation_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace schnackomat::bench {
namespace {

std::atomic<std::size_t> allocated{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t size, std::size_t alignment) {
    void* memory =
        alignment <= alignof(std::max_align_t)
            ? std::malloc(size == 0 ? 1 : size)
            : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = allocated += malloc_usable_size(memory);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return memory;
}

void Release(void* memory) {
    if (memory != nullptr) {
        allocated -= malloc_usable_size(memory);
        std::free(memory);
    }
}

}  // namespace

std::size_t AllocatedBytes() {
    return allocated.load();
}
void ResetPeak() {
    peak.store(allocated.load());
}
std::size_t PeakBytes() {
    return peak.load();
}

}  // namespace schnackomat::bench

using schnackomat::bench::Allocate;
using schnackomat::bench::Release;

void* operator new(std::size_t size) {
    return Allocate(size, 0);
}
void* operator new[](std::size_t size) {
    return Allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept {
    Release(memory);
}
void operator delete[](void* memory) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    Release(memory);
}
