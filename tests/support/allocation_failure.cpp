#include "tests/support/allocation_failure.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> countdown{-1};
std::atomic<bool> onlyNothrow{false};
std::atomic<long> allocations{0};

bool FailNow(bool nothrow) {
    if (onlyNothrow.load() && !nothrow) return false;
    long n = countdown.load();
    while (n >= 0) {
        if (countdown.compare_exchange_weak(n, n - 1)) return n == 0;
    }
    return false;
}

void* Allocate(std::size_t size, bool nothrow) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    void* p = FailNow(nothrow) ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (p == nullptr && !nothrow) throw std::bad_alloc();
    return p;
}
}  // namespace

void FailAllocation(long n, bool nothrowOnly) {
    onlyNothrow.store(nothrowOnly);
    countdown.store(n < 0 ? -1 : n);
}

bool AllocationFailurePending() { return countdown.load() >= 0; }

long AllocationCount() { return allocations.load(); }

void* operator new(std::size_t size) { return Allocate(size, false); }
void* operator new[](std::size_t size) { return Allocate(size, false); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
