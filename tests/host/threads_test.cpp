#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "host/testing.h"

namespace {
using Clock = std::chrono::steady_clock;

class Threads : public ::testing::Test {
protected:
    void SetUp() override { HostResetThreadsAndEvents(); }
    void TearDown() override {
        EXPECT_TRUE(HostWaitForThreads());
        HostResetThreadsAndEvents();
    }
};

struct Handoff {
    HANDLE go = nullptr;
    HANDLE done = nullptr;
    std::atomic<int> woke{0};
};

// Waits for `go` once, counts itself and reports on `done`.
void WaitOnce(void* arg) {
    auto* h = static_cast<Handoff*>(arg);
    if (WaitForSingleObject(h->go, INFINITE) == WAIT_OBJECT_0) h->woke.fetch_add(1);
    SetEvent(h->done);
}

void Increment(void* arg) { static_cast<std::atomic<int>*>(arg)->fetch_add(1); }
}  // namespace

TEST_F(Threads, AutoResetEventReleasesOneWaitPerSet) {
    HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(e));
    EXPECT_TRUE(SetEvent(e));  // a second set before any wait adds nothing
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(e));

    HANDLE initiallySet = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(initiallySet, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(initiallySet, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(initiallySet));
}

TEST_F(Threads, SetWakesWaitersOnOtherThreads) {
    Handoff auto1;
    auto1.go = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    auto1.done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(_beginthread(WaitOnce, 0, &auto1), static_cast<std::uintptr_t>(-1));
    ASSERT_NE(_beginthread(WaitOnce, 0, &auto1), static_cast<std::uintptr_t>(-1));
    // One set of an auto-reset event releases exactly one of the two waiters.
    SetEvent(auto1.go);
    EXPECT_EQ(WaitForSingleObject(auto1.done, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(auto1.done, 100), WAIT_TIMEOUT);
    EXPECT_EQ(auto1.woke.load(), 1);
    SetEvent(auto1.go);
    EXPECT_EQ(WaitForSingleObject(auto1.done, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(auto1.woke.load(), 2);

    Handoff manual;
    manual.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    manual.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_NE(_beginthread(WaitOnce, 0, &manual), static_cast<std::uintptr_t>(-1));
    SetEvent(manual.go);  // releases every waiter
    ASSERT_TRUE(HostWaitForThreads());
    EXPECT_EQ(manual.woke.load(), 3);
    for (HANDLE h : {auto1.go, auto1.done, manual.go, manual.done}) CloseHandle(h);
}

TEST_F(Threads, InjectedEventFailuresFollowThePlan) {
    const auto outcomes = [](int calls) {
        std::string s;
        for (int i = 0; i < calls; ++i) {
            HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
            s += e == nullptr ? 'x' : '.';
            if (e != nullptr) CloseHandle(e);
        }
        return s;
    };
    HostSetEventFailures({.next = 2});
    EXPECT_EQ(outcomes(4), "xx..");
    HostSetEventFailures({.every = 3});
    EXPECT_EQ(outcomes(7), "..x..x.");
    HostSetEventFailures({.next = 1, .every = 2});
    EXPECT_EQ(outcomes(6), "x.x.x.");
    HostSetEventFailures({.every = 1});
    EXPECT_EQ(outcomes(3), "xxx");
    HostResetThreadsAndEvents();
    EXPECT_EQ(outcomes(3), "...");
    const HostThreadCounts counts = HostThreadAndEventCounts();
    EXPECT_EQ(counts.eventsCreated, 3);
    EXPECT_EQ(counts.eventsClosed, 3);
}

TEST_F(Threads, ThreadStartRunsTheFunctionOrFails) {
    std::atomic<int> runs{0};
    EXPECT_NE(_beginthread(Increment, 0, &runs), static_cast<std::uintptr_t>(-1));
    EXPECT_NE(_beginthread(Increment, 1 << 16, &runs), static_cast<std::uintptr_t>(-1));
    ASSERT_TRUE(HostWaitForThreads());
    EXPECT_EQ(runs.load(), 2);
    EXPECT_EQ(HostThreadAndEventCounts().threadsStarted, 2);
    EXPECT_EQ(HostThreadAndEventCounts().threadsRunning, 0);

    EXPECT_EQ(_beginthread(nullptr, 0, &runs), static_cast<std::uintptr_t>(-1));
    HostSetThreadStartFailures({.next = 1, .every = 2});
    EXPECT_EQ(_beginthread(Increment, 0, &runs), static_cast<std::uintptr_t>(-1));
    EXPECT_NE(_beginthread(Increment, 0, &runs), static_cast<std::uintptr_t>(-1));
    EXPECT_EQ(_beginthread(Increment, 0, &runs), static_cast<std::uintptr_t>(-1));
    ASSERT_TRUE(HostWaitForThreads());
    EXPECT_EQ(runs.load(), 3);
    EXPECT_EQ(HostThreadAndEventCounts().threadsStarted, 3);
}
