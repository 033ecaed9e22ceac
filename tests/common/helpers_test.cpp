// The small helpers: exact values, edges and NaN.
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "common/box_helpers.h"
#include "common/zone_effect.h"
#include "common/planar_geometry.h"
#include "common/scalar.h"
#include "common/worker_count.h"
#include "host/testing.h"

TEST(Helpers, ExactValues) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float tiny = std::numeric_limits<float>::denorm_min();
    // Zeros and NaN give +0; the smallest and largest magnitudes keep their sign.
    for (const float x : {0.0f, -0.0f, nan, -nan}) EXPECT_TRUE(Sign(x) == 0.0f && !std::signbit(Sign(x))) << x;
    for (const float x : {tiny, inf, 3.5f}) EXPECT_TRUE(Sign(x) == 1.0f && Sign(-x) == -1.0f) << x;
    EXPECT_EQ(Sqr(-3.0f), 9.0f);

    const Box3 box({-3, 1, -10}, {1, 2, -4});
    EXPECT_EQ(Box3Center(box), Point3(-1, 1.5f, -7));
    EXPECT_EQ(Box3Size(box), Point3(4, 1, 6));
    EXPECT_EQ(Box3Size(Box3()), Point3(-2e30f, -2e30f, -2e30f));  // empty boxes are not treated apart

    EXPECT_EQ(PerpXY({3, -2, 1}), Point3(2, 3, 0));
    EXPECT_EQ(PerpXY(PerpXY({3, -2, 1})), Point3(-3, 2, 0));
}

TEST(Helpers, WorkerCountIsTheProcessorCountWithinOneToEight) {
    const std::pair<DWORD, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {7, 7}, {8, 8}, {9, 8}, {16, 8}, {256, 8}};
    for (const auto& [processors, workers] : cases) {
        HostSetProcessorCount(processors);
        EXPECT_EQ(GetWorkerThreadCount(), workers) << processors;
    }
    HostSetProcessorCount(std::nullopt);
    EXPECT_GE(GetWorkerThreadCount(), 1);
    EXPECT_LE(GetWorkerThreadCount(), 8);
}
TEST(ZoneEffect, AccumulateAddsTheSumsAndKeepsTheSmallerCap) {
    ZoneEffect dst{1.0, 2.0, 3.0, 4.0, 5.0f};
    EXPECT_EQ(&dst.Accumulate({10.0, 20.0, 30.0, 40.0, 9.0f}), &dst);
    EXPECT_TRUE(dst.score == 11.0 && dst.found == 22.0 && dst.stopTerm == 33.0 && dst.priority == 44.0);
    EXPECT_EQ(dst.speedCap, 5.0f);
    dst.Accumulate({-100.0, -100.0, 0.5, 0.25, 2.0f}).Accumulate({});
    EXPECT_TRUE(dst.score == -89.0 && dst.found == -78.0 && dst.stopTerm == 33.5 && dst.priority == 44.25);
    EXPECT_EQ(dst.speedCap, 2.0f);
}
