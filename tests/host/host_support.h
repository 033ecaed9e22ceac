// Set-up shared by the suites of every part: view pixels and thread bookkeeping.
#pragma once

#include <gtest/gtest.h>

#include "host/testing.h"
#include "host/viewport.h"

inline IPoint2 Pixel(const ViewExp& view, float x, float y) {
    const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
    return {static_cast<int>(s.x), static_cast<int>(s.y)};
}

// Every test ends with its threads returned and every event it opened closed.
class ThreadsTest : public ::testing::Test {
#ifndef _WIN32
protected:
    void SetUp() override { HostResetThreadsAndEvents(); }
    void TearDown() override {
        EXPECT_TRUE(HostWaitForThreads());
        const HostThreadCounts counts = HostThreadAndEventCounts();
        EXPECT_EQ(counts.eventsCreated, counts.eventsClosed);
        HostResetThreadsAndEvents();
    }
#endif
};
