// Whichever one allocation of a run fails, the run ends as a "Yes" to "Stop Tracing?" does, at
// most one "Error" box, nothing leaked, no thread left running, nothing thrown out of the press.
#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/utility/run_support.h"

namespace {
std::atomic<long> countdown{-1};  // allocations before the one that fails; below 0 none fails
std::atomic<long> allocations{0};

void* Allocate(std::size_t size, bool nothrow = false) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    long n = countdown.load();
    while (n >= 0 && !countdown.compare_exchange_weak(n, n - 1)) {
    }
    void* p = n == 0 ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (p == nullptr && !nothrow) throw std::bad_alloc();
    return p;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST_F(RunTest, AnyFailedAllocationEndsTheRunCleanly) {
    Scene(3);
    allocations = 0;
    Trace(0, 960);
    const long total = allocations.load();
    for (long k = 0; k < total; k += 1 + total / 120) {
        countdown = k;
        EXPECT_NO_THROW(Trace(0, 960)) << k;
        countdown = -1;
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_TRUE(HostWaitForThreads() && c.eventsClosed == c.eventsCreated) << k;
        EXPECT_TRUE(IsTracing() == 0 && !panel.IsRunning() && counts[HostUiEvent::MessageBox] <= 1 &&
                    counts[HostUiEvent::ProgressStart] == counts[HostUiEvent::ProgressEnd]) << k;
    }
}

}  // namespace
