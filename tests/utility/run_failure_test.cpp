// A run in which any one allocation fails ends as a "Yes" to "Stop Tracing?" does, with an
// "Error" box, or does not start at all; nothing leaks and no thread is left running.
#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/utility/run_support.h"

namespace {
std::atomic<long> countdown{-1};  // allocations until the one that fails; below 0 never
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    long n = countdown.load();
    while (n >= 0 && !countdown.compare_exchange_weak(n, n - 1)) {
    }
    if (n == 0) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST_F(RunTest, AnyFailedAllocationEndsTheRunCleanly) {
    Scene(3);
    allocations = 0;
    Trace(0, 6);
    const long total = allocations.load();
    ASSERT_GT(total, 100);
    for (long k = 0; k < total; k += 1 + total / 120) {
        ClearShown();
        countdown = k;
        EXPECT_NO_THROW(Trace(0, 6)) << k;
        countdown = -1;
        EXPECT_TRUE(HostWaitForThreads());
        EXPECT_TRUE(IsTracing() == 0 && !panel.IsRunning()) << k;
        EXPECT_EQ(Count(HostUiEvent::ProgressStart), Count(HostUiEvent::ProgressEnd)) << k;
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_EQ(c.eventsClosed, c.eventsCreated) << k;
        int errors = 0;
        for (const HostUiEvent& e : shown) errors += e.kind == HostUiEvent::MessageBox && e.caption == L"Error";
        EXPECT_LE(errors, 1) << k;
    }
}

}  // namespace
