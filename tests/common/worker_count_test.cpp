// The processor count is the stand-in's to set: the system's own cannot be changed.
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "common/worker_count.h"
#include "host/testing.h"

TEST(Helpers, WorkerCountIsTheProcessorCountWithinOneToEight) {
    const std::pair<DWORD, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {7, 7}, {8, 8}, {9, 8}, {16, 8}, {256, 8}};
    for (const auto& [processors, workers] : cases) {
        HostSetProcessorCount(processors);
        EXPECT_EQ(GetWorkerThreadCount(), workers) << processors;
    }
    HostSetProcessorCount(std::nullopt);
    EXPECT_TRUE(GetWorkerThreadCount() >= 1 && GetWorkerThreadCount() <= 8);
}
