#include "common/planar_geometry.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

TEST(PointInBoxXY, InteriorIsInsideWhateverTheHeight) {
    const Box3 box({0.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f});
    EXPECT_TRUE(PointInBoxXY({1.0f, 0.5f, 0.5f}, box));
    EXPECT_TRUE(PointInBoxXY({1.0f, 0.5f, 100.0f}, box));
    EXPECT_TRUE(PointInBoxXY({1.0f, 0.5f, -100.0f}, box));
}

TEST(PointInBoxXY, EdgesAndCornersAreOutside) {
    const Box3 box({0.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f});
    EXPECT_FALSE(PointInBoxXY({0.0f, 0.5f, 0.5f}, box));
    EXPECT_FALSE(PointInBoxXY({2.0f, 0.5f, 0.5f}, box));
    EXPECT_FALSE(PointInBoxXY({1.0f, 0.0f, 0.5f}, box));
    EXPECT_FALSE(PointInBoxXY({1.0f, 1.0f, 0.5f}, box));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(PointInBoxXY(box[i], box)) << i;
    EXPECT_FALSE(PointInBoxXY({std::nanf(""), 0.5f, 0.5f}, box));
}

TEST(PerpXY, TurnsLeftAndDropsZ) {
    EXPECT_EQ(PerpXY({1.0f, 0.0f, 5.0f}), Point3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(PerpXY({3.0f, -2.0f, 1.0f}), Point3(2.0f, 3.0f, 0.0f));
    EXPECT_EQ(PerpXY(PerpXY({3.0f, -2.0f, 1.0f})), Point3(-3.0f, 2.0f, 0.0f));
}

TEST(LineIntersectionXY, MeetsOnFirstLineWithZAlongSecond) {
    const Point3 x =
        LineIntersectionXY({0.0f, 0.0f, 0.0f}, {2.0f, 2.0f, 0.0f}, {0.0f, 2.0f, 10.0f}, {2.0f, 0.0f, 20.0f});
    EXPECT_FLOAT_EQ(x.x, 1.0f);
    EXPECT_FLOAT_EQ(x.y, 1.0f);
    EXPECT_FLOAT_EQ(x.z, 15.0f);
}

TEST(LineIntersectionXY, IntersectionBeyondTheSegmentsEnds) {
    // Lines, not segments: y = 1 meets the line through (3,0)-(3,-1) at (3, 1), t = -1.
    const Point3 x =
        LineIntersectionXY({0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {3.0f, 0.0f, 4.0f}, {3.0f, -1.0f, 6.0f});
    EXPECT_FLOAT_EQ(x.x, 3.0f);
    EXPECT_FLOAT_EQ(x.y, 1.0f);
    EXPECT_FLOAT_EQ(x.z, 2.0f);
}

TEST(LineIntersectionXY, RandomCrossingLinesMeetOnBoth) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coord(-50.0f, 50.0f);
    int checked = 0;
    for (int n = 0; n < 2000; ++n) {
        const Point3 p(coord(rng), coord(rng), 0.0f), q(coord(rng), coord(rng), 0.0f);
        const Point3 r(coord(rng), coord(rng), coord(rng)), s(coord(rng), coord(rng), coord(rng));
        const double ux = q.x - p.x, uy = q.y - p.y, vx = s.x - r.x, vy = s.y - r.y;
        const double cross = ux * vy - uy * vx;
        // Nearly parallel lines meet far away with few digits left; keep the well-conditioned.
        if (std::fabs(cross) < 0.2 * std::hypot(ux, uy) * std::hypot(vx, vy)) continue;
        ++checked;
        const Point3 x = LineIntersectionXY(p, q, r, s);
        const double scale = 1e-4 * (100.0 + std::hypot(x.x, x.y));
        EXPECT_NEAR((x.x - p.x) * uy - (x.y - p.y) * ux, 0.0, scale * std::hypot(ux, uy));
        EXPECT_NEAR((x.x - r.x) * vy - (x.y - r.y) * vx, 0.0, scale * std::hypot(vx, vy));
        const double t = std::fabs(vx) > std::fabs(vy) ? (x.x - r.x) / vx : (x.y - r.y) / vy;
        EXPECT_NEAR(x.z, r.z + t * (s.z - r.z), 1e-3 * (1.0 + std::fabs(t)) * 50.0);
    }
    EXPECT_GT(checked, 1000);
}
