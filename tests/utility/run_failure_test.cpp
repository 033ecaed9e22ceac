// Whichever one allocation of a run fails, the run ends as a "Yes" to "Stop Tracing?" does, at
// most one "Error" box, nothing leaked, no thread left running, nothing thrown out of the press.
#include "tests/support/allocation_failure.h"
#include "tests/utility/run_support.h"

namespace {

TEST_F(RunTest, AnyFailedAllocationEndsTheRunCleanly) {
    Scene(3);
    const long before = AllocationCount();
    Trace(0, 960);
    const long total = AllocationCount() - before;
    for (long k = 0; k < total; k += 1 + total / 120) {
        FailAllocation(k, false);
        EXPECT_NO_THROW(Trace(0, 960)) << k;
        FailAllocation(-1, false);
        const HostThreadCounts c = HostThreadAndEventCounts();
        EXPECT_TRUE(HostWaitForThreads() && c.eventsClosed == c.eventsCreated) << k;
        EXPECT_TRUE(IsTracing() == 0 && !panel.IsRunning() && counts[HostUiEvent::MessageBox] <= 1 &&
                    counts[HostUiEvent::ProgressStart] == counts[HostUiEvent::ProgressEnd]) << k;
    }
}

}  // namespace
