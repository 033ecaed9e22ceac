#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "common/planar_geometry.h"

namespace {
// Exact for the small dyadic coordinates the tests use; doubles keep every digit of float
// differences, so rounding stays far below the margins chosen below.
double Orient(Point3 a, Point3 b, Point3 p) {
    return (static_cast<double>(b.x) - a.x) * (static_cast<double>(p.y) - a.y) -
           (static_cast<double>(b.y) - a.y) * (static_cast<double>(p.x) - a.x);
}
}  // namespace

TEST(SegmentsCrossXY, AnXCrossesEitherWayRound) {
    const Point3 a(0.0f, 0.0f, 0.0f), b(2.0f, 2.0f, 0.0f), c(0.0f, 2.0f, 0.0f), d(2.0f, 0.0f, 0.0f);
    EXPECT_TRUE(SegmentsCrossXY(a, b, c, d));
    EXPECT_TRUE(SegmentsCrossXY(c, d, a, b));
    EXPECT_TRUE(SegmentsCrossXY(b, a, d, c));
    EXPECT_TRUE(SegmentsCrossXY(a, b, d, c));
}

TEST(SegmentsCrossXY, HeightsDoNotMatter) {
    EXPECT_TRUE(SegmentsCrossXY({0.0f, 0.0f, -9.0f}, {2.0f, 2.0f, 3.0f}, {0.0f, 2.0f, 1e6f}, {2.0f, 0.0f, 0.0f}));
}

TEST(SegmentsCrossXY, CollinearAndParallelNeverCross) {
    const Point3 a(0.0f, 0.0f, 0.0f), b(4.0f, 0.0f, 0.0f);
    EXPECT_FALSE(SegmentsCrossXY(a, b, {1.0f, 0.0f, 0.0f}, {3.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {-1.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {3.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(SegmentsCrossXY(a, b, a, b));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {0.0f, 1.0f, 0.0f}, {4.0f, 1.0f, 0.0f}));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {4.0f, -1.0f, 0.0f}, {0.0f, -1.0f, 0.0f}));
}

TEST(SegmentsCrossXY, DisjointSegmentsOnCrossingLinesDoNotCross) {
    // The lines meet at (5, 5), beyond both segments.
    EXPECT_FALSE(SegmentsCrossXY({0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {0.0f, 10.0f, 0.0f}, {1.0f, 9.0f, 0.0f}));
    // c-d straddles line a-b but a-b stops short of line c-d.
    EXPECT_FALSE(SegmentsCrossXY({0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {3.0f, -1.0f, 0.0f}, {3.0f, 1.0f, 0.0f}));
}

TEST(SegmentsCrossXY, EndPointOnTheOtherLineCountsOnlyWhenItsSegmentGoesLeft) {
    // c->d runs up the y axis; its left is -x. a lies on it; c and d straddle line a-b.
    const Point3 c(0.0f, -1.0f, 0.0f), d(0.0f, 1.0f, 0.0f), a(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(SegmentsCrossXY(a, {-1.0f, 0.5f, 0.0f}, c, d));
    EXPECT_FALSE(SegmentsCrossXY(a, {1.0f, 0.5f, 0.0f}, c, d));
    // The same with b on the line and a off it.
    EXPECT_TRUE(SegmentsCrossXY({-1.0f, 0.5f, 0.0f}, a, c, d));
    EXPECT_FALSE(SegmentsCrossXY({1.0f, 0.5f, 0.0f}, a, c, d));
}

TEST(SegmentsCrossXY, EndPointOfTheSecondSegmentOnTheFirstLine) {
    // a->b runs along +x, its left is +y. d lies on it and c, the other end, decides.
    const Point3 a(-1.0f, 0.0f, 0.0f), b(1.0f, 0.0f, 0.0f), d(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(SegmentsCrossXY(a, b, {0.5f, 1.0f, 0.0f}, d));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {0.5f, -1.0f, 0.0f}, d));
    // A T whose stem a-b ends on the bar c-d: it counts only when a lies left of c->d.
    EXPECT_TRUE(SegmentsCrossXY(a, b, {1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}));
    EXPECT_FALSE(SegmentsCrossXY(a, b, {1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}));
}

TEST(SegmentsCrossXY, NaNNeverCrosses) {
    const float nan = std::nanf("");
    const Point3 a(0.0f, 0.0f, 0.0f), b(2.0f, 2.0f, 0.0f), c(0.0f, 2.0f, 0.0f), d(2.0f, 0.0f, 0.0f);
    for (int i = 0; i < 8; ++i) {
        Point3 p[4] = {a, b, c, d};
        (i % 2 == 0 ? p[i / 2].x : p[i / 2].y) = nan;
        EXPECT_FALSE(SegmentsCrossXY(p[0], p[1], p[2], p[3])) << i;
        EXPECT_FALSE(SegmentsCrossXY(p[2], p[3], p[0], p[1])) << i;
    }
}

TEST(SegmentsCrossXY, AgreesWithExactOrientationInGeneralPosition) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> coord(-10.0f, 10.0f);
    int crossings = 0, checked = 0;
    for (int n = 0; n < 200000; ++n) {
        const Point3 a(coord(rng), coord(rng), coord(rng)), b(coord(rng), coord(rng), coord(rng));
        const Point3 c(coord(rng), coord(rng), coord(rng)), d(coord(rng), coord(rng), coord(rng));
        const double o[4] = {Orient(a, b, c), Orient(a, b, d), Orient(c, d, a), Orient(c, d, b)};
        bool general = true;
        for (const double v : o) general = general && std::fabs(v) > 1e-3;
        if (!general) continue;
        ++checked;
        const bool expected = (o[0] > 0) != (o[1] > 0) && (o[2] > 0) != (o[3] > 0);
        crossings += expected;
        ASSERT_EQ(SegmentsCrossXY(a, b, c, d), expected) << n;
        ASSERT_EQ(SegmentsCrossXY(c, d, a, b), expected) << n;
    }
    EXPECT_GT(checked, 190000);
    EXPECT_GT(crossings, 20000);
}

TEST(SegmentsCrossXY, GridPointsFollowTheOnLineRule) {
    // Small integer coordinates put many end points exactly on lines. Reference: a point on a
    // line counts as not left; both straddle tests must pass.
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> coord(-2, 2);
    const auto pt = [&] { return Point3(coord(rng), coord(rng), 0); };
    for (int n = 0; n < 50000; ++n) {
        const Point3 a = pt(), b = pt(), c = pt(), d = pt();
        const bool expected = (Orient(a, b, c) <= 0) == (Orient(a, b, d) > 0) &&
                              (Orient(c, d, a) <= 0) == (Orient(c, d, b) > 0);
        ASSERT_EQ(SegmentsCrossXY(a, b, c, d), expected) << n;
    }
}
