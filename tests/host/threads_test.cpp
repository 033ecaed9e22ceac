#include <gtest/gtest.h>

#include "host/module_resources.h"
#include "host/testing.h"
#include "host/win32.h"

namespace {

void Signal(void* event) { SetEvent(static_cast<HANDLE>(event)); }

// Threads are joined, not left detached: a long run of short threads keeps only the ones that
// have not yet been reaped, and the host's join leaves none behind.
TEST(Threads, ReturnedThreadsAreJoined) {
    HostJoinThreads();
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    for (int i = 0; i < 200; ++i) {
        ASSERT_NE(_beginthread(Signal, 0, event), static_cast<std::uintptr_t>(-1));
        ASSERT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
        ASSERT_TRUE(HostWaitForThreads());
        EXPECT_LE(HostThreadAndEventCounts().threadsKept, 2) << i;
    }
    HostJoinThreads();
    const HostThreadCounts counts = HostThreadAndEventCounts();
    EXPECT_TRUE(counts.threadsKept == 0 && counts.threadsRunning == 0);
    CloseHandle(event);
}

}  // namespace
