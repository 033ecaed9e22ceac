#include "nothrow_failure.h"

#include <atomic>
#include <new>

namespace {
std::atomic<int> countdown{-1};

bool FailNow() {
    int n = countdown.load();
    while (n >= 0) {
        if (countdown.compare_exchange_weak(n, n - 1)) return n == 0;
    }
    return false;
}
}  // namespace

void FailNothrowAllocation(int n) { countdown.store(n < 0 ? -1 : n); }

bool NothrowFailurePending() { return countdown.load() >= 0; }

// Routed through the throwing forms so that every allocation pairs with the usual delete.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (FailNow()) return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (FailNow()) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
