#include "common/worker_count.h"

#include <optional>

#include <gtest/gtest.h>

#include "host/testing.h"

namespace {
class WorkerCount : public ::testing::Test {
protected:
    void TearDown() override { HostSetProcessorCount(std::nullopt); }
};
}  // namespace

TEST_F(WorkerCount, FollowsTheProcessorCountUpToEight) {
    for (const DWORD n : {1u, 2u, 4u, 7u, 8u}) {
        HostSetProcessorCount(n);
        EXPECT_EQ(GetWorkerThreadCount(), static_cast<int>(n));
    }
}

TEST_F(WorkerCount, CapsLargeMachinesAtEight) {
    for (const DWORD n : {9u, 16u, 256u}) {
        HostSetProcessorCount(n);
        EXPECT_EQ(GetWorkerThreadCount(), 8) << n;
    }
}

TEST_F(WorkerCount, NoReportedProcessorStillGivesOneWorker) {
    HostSetProcessorCount(0u);
    EXPECT_EQ(GetWorkerThreadCount(), 1);
}

TEST_F(WorkerCount, RealMachineGivesOneToEight) {
    const int n = GetWorkerThreadCount();
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 8);
}
