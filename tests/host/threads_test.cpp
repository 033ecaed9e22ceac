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

}  // namespace

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
