#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> allocations{0};

void Count() {
    allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

#if defined(__GLIBC__)
// glibc lets a program supply its own malloc family; these count and hand on to
// glibc's own. operator new goes through malloc and is counted there.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);

void* malloc(std::size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
    Count();
    return __libc_realloc(block, size);
}
void free(void* block) {
    __libc_free(block);
}
}
#else
// Elsewhere only operator new can be replaced portably.
void* operator new(std::size_t size) {
    Count();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    Count();
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
#endif

std::size_t AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

bool AllocationCounterWorks() {
    const std::size_t before = AllocationCount();
    // Through a volatile pointer, so that the compiler cannot drop the pair.
    void* (*volatile allocate)(std::size_t) = &::operator new;
    void (*volatile release)(void*) = &::operator delete;
    release(allocate(16));
    return AllocationCount() > before;
}
