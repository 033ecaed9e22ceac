// The small helpers: exact values, edges and NaN.
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "common/box_helpers.h"
#include "common/draw_line.h"
#include "common/planar_geometry.h"
#include "common/scalar.h"
#include "common/tracing.h"
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

    // Strictly inside in XY, whatever the height; edges, corners and NaN are outside.
    const Box3 flat({0, 0, 0}, {2, 1, 1});
    for (const float z : {0.5f, 100.0f, -100.0f}) EXPECT_TRUE(PointInBoxXY({1, 0.5f, z}, flat)) << z;
    for (const Point3& p : {Point3(0, 0.5f, 0.5f), Point3(2, 0.5f, 0.5f), Point3(1, 0, 0.5f), Point3(1, 1, 0.5f),
                            flat[0], flat[3], Point3(nan, 0.5f, 0.5f)})
        EXPECT_FALSE(PointInBoxXY(p, flat)) << p.x << "," << p.y;

    EXPECT_EQ(PerpXY({3, -2, 1}), Point3(2, 3, 0));
    EXPECT_EQ(PerpXY(PerpXY({3, -2, 1})), Point3(-3, 2, 0));
}

TEST(Helpers, DrawLineIsOneSegmentInTheCallersTransform) {
    GraphicsWindow gw;
    gw.setTransform(TransMatrix({10, 20, 30}));
    gw.startSegments();
    DrawLine(&gw, {0, 0, 0}, {1, 2, 3});
    DrawLine(&gw, {-1, 0, 0}, {0, -1, 0});
    gw.endSegments();
    ASSERT_EQ(gw.Records().size(), 2u);
    EXPECT_EQ(gw.SegmentRuns(), 1);
    EXPECT_EQ(gw.LooseSegments(), 0);
    ASSERT_EQ(gw.Records()[0].points.size(), 2u);
    EXPECT_EQ(gw.Records()[0].points[0], Point3(10, 20, 30));
    EXPECT_EQ(gw.Records()[0].points[1], Point3(11, 22, 33));
}

TEST(Helpers, TracingIsOffAtLoad) {
    EXPECT_EQ(IsTracing(), 0);
    SetTracing(-7);
    EXPECT_EQ(IsTracing(), -7);
    SetTracing(0);
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
