#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> g_allocations{0};
std::atomic<uint64_t> g_releases{0};

void Release(void* p) {
    if (p) {
        g_releases.fetch_add(1, std::memory_order_relaxed);
        std::free(p);
    }
}

void* Allocate(std::size_t size) {
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

uint64_t AllocationCount() {
    return g_allocations.load(std::memory_order_relaxed);
}

int64_t LiveAllocationCount() {
    return static_cast<int64_t>(g_allocations.load(std::memory_order_relaxed) -
                                g_releases.load(std::memory_order_relaxed));
}

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p) {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
    return p;
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
