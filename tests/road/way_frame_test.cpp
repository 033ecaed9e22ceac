#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "road/way_overlap.h"
#include "tests/road/road_test_support.h"

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Orthonormal rows 0 and 1, row 2 their cross product pointing up, flags clear.
void ExpectUprightFrame(const WayRecord& way) {
    const Point3 x = way.frame.GetRow(0), y = way.frame.GetRow(1), z = way.frame.GetRow(2);
    EXPECT_NEAR(Length(x), 1.0f, 1e-6f);
    EXPECT_NEAR(Length(y), 1.0f, 1e-6f);
    EXPECT_NEAR(DotProd(x, y), 0.0f, 1e-6f);
    EXPECT_TRUE(Near(z, CrossProd(x, y), 0.0f));
    EXPECT_GT(z.z, 0.0f);
    EXPECT_EQ(way.frame.GetFlags() & MAT_IDENT, 0u);
    EXPECT_EQ(way.inverse.GetFlags() & MAT_IDENT, 0u);
}

// Every corner lies in the closed way rectangle, and the extremes touch it.
void ExpectHalvesCoverCorners(const WayRecord& way) {
    float mx = 0.0f, my = 0.0f;
    for (const Point3& c : way.corner) {
        const Point3 p = (c) * way.inverse;
        mx = std::fmax(mx, std::fabs(p.x));
        my = std::fmax(my, std::fabs(p.y));
    }
    EXPECT_EQ(way.halfX, mx);
    EXPECT_EQ(way.halfY, my);
    EXPECT_EQ(way.minHalf, std::fmin(mx, my));
}

void ExpectInert(const WayRecord& way) {
    EXPECT_TRUE(way.IsInert());
    EXPECT_EQ(way.halfX, kInertHalf);
    EXPECT_EQ(way.halfY, kInertHalf);
    EXPECT_EQ(way.minHalf, kInertHalf);
    for (const Point3& p : {Point3(0, 0, 0), Point3(5, 2, 0), way.corner[0], way.corner[2]}) {
        EXPECT_FALSE(way.ContainsXY(p));
        ZoneEffect e = kLaneStart;
        VehicleProbe probe = ProbeAt(p);
        probe.size.z = kInf;
        probe.inner = 1;
        way.Evaluate(probe, e);
        EXPECT_TRUE(SameEffect(e, kLaneStart));
        Matrix3 m = TransMatrix(p);
        float tolerance = kInf;
        way.Snap(m, tolerance);
        EXPECT_TRUE(SameMatrix(m, TransMatrix(p)));
        EXPECT_EQ(tolerance, kInf);
    }
    EXPECT_FALSE(WayOverlapsBox(way, Box3({-1e6f, -1e6f, 0.0f}, {1e6f, 1e6f, 0.0f})));
}
}  // namespace

TEST(WayFrame, AxisAlignedQuad) {
    const WayRecord way = BoxWay(0.0f, 0.0f, 10.0f, 4.0f, 5.0f);
    EXPECT_FALSE(way.IsInert());
    EXPECT_TRUE(Near(way.frame.GetRow(0), {1, 0, 0}, 0.0f));
    EXPECT_TRUE(Near(way.frame.GetRow(1), {0, 1, 0}, 0.0f));
    EXPECT_TRUE(Near(way.frame.GetRow(2), {0, 0, 1}, 0.0f));
    EXPECT_TRUE(Near(way.frame.GetRow(3), {5, 2, 5}, 0.0f));
    EXPECT_EQ(way.halfX, 5.0f);
    EXPECT_EQ(way.halfY, 2.0f);
    EXPECT_EQ(way.minHalf, 2.0f);
    EXPECT_TRUE(Near(Point3(7, 3, 8) * way.inverse, {2, 1, 3}, 0.0f));
    ExpectUprightFrame(way);
}

TEST(WayFrame, BackwardQuadsFlipYSoTheUpAxisPointsUp) {
    // Corner order reversed: the lateral direction from the c0/c1 edge points to -Y.
    const WayRecord mirrored = MakeWay({0, 4, 0}, {10, 4, 0}, {10, 0, 0}, {0, 0, 0});
    EXPECT_TRUE(Near(mirrored.frame.GetRow(0), {1, 0, 0}, 0.0f));
    EXPECT_TRUE(Near(mirrored.frame.GetRow(1), {0, 1, 0}, 0.0f));
    ExpectUprightFrame(mirrored);
    ExpectHalvesCoverCorners(mirrored);

    // Travelling -X with the lateral edge towards +Y.
    const WayRecord backward = MakeWay({10, 0, 0}, {0, 0, 0}, {0, 4, 0}, {10, 4, 0});
    EXPECT_TRUE(Near(backward.frame.GetRow(0), {-1, 0, 0}, 0.0f));
    EXPECT_TRUE(Near(backward.frame.GetRow(1), {0, -1, 0}, 0.0f));
    ExpectUprightFrame(backward);
    EXPECT_EQ(backward.halfX, 5.0f);
    EXPECT_EQ(backward.halfY, 2.0f);
}

TEST(WayFrame, SlopedQuadMeasuresHeightVertically) {
    const WayRecord way = MakeWay({0, 0, 0}, {10, 0, 1}, {10, 4, 1}, {0, 4, 0});
    ExpectUprightFrame(way);
    ExpectHalvesCoverCorners(way);
    const Point3 x = way.frame.GetRow(0), y = way.frame.GetRow(1);
    EXPECT_TRUE(Near(x, Normalize({10, 0, 1}), 1e-6f));
    EXPECT_TRUE(Near(y, {0, 1, 0}, 1e-6f));
    EXPECT_TRUE(Near(way.frame.GetRow(3), {5, 2, 0.5f}, 1e-6f));
    // The up axis is the plane's normal, tilted back against the slope.
    EXPECT_LT(way.frame.GetRow(2).x, 0.0f);
    EXPECT_NEAR(way.halfX, std::sqrt(25.25f), 1e-5f);
    EXPECT_NEAR(way.halfY, 2.0f, 1e-6f);

    // A point on the plane at way coordinates (a, b), raised by h, comes back as (a, b, h).
    for (const float a : {-5.0f, 0.0f, 3.0f}) {
        for (const float h : {0.0f, 0.7f, -2.5f}) {
            const Point3 w = way.frame.GetRow(3) + x * a + y * 1.5f + Point3(0, 0, h);
            EXPECT_TRUE(Near((w) * way.inverse, {a, 1.5f, h}, 1e-5f)) << a << " " << h;
        }
    }
}

TEST(WayFrame, CrossedQuadStaysUprightAndCoversItsCorners) {
    // c0->c1 and c3->c2 cross: a bow tie whose lateral direction points down the page.
    const WayRecord way = MakeWay({0, 0, 0}, {10, 4, 0}, {10, 1, 0}, {0, 2, 0});
    EXPECT_FALSE(way.IsInert());
    ExpectUprightFrame(way);
    ExpectHalvesCoverCorners(way);
    for (const Point3& c : way.corner) EXPECT_TRUE(InReach(way, c));
}

TEST(WayFrame, DegenerateQuadsAreInert) {
    ExpectInert(MakeWay({3, 3, 0}, {3, 3, 0}, {3, 3, 0}, {3, 3, 0}));          // coincident corners
    ExpectInert(MakeWay({0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {0, 0, 0}));        // zero width
    ExpectInert(MakeWay({0, 0, 0}, {0, 0, 0}, {0, 4, 0}, {0, 4, 0}));          // zero length
    ExpectInert(MakeWay({0, 0, 0}, {10, 2, 0}, {10, 0, 0}, {0, 2, 0}));        // symmetric bow tie
    ExpectInert(MakeWay({0, 0, 0}, {10, 0, 0}, {10, 0, 4}, {0, 0, 4}));        // vertical wall
    ExpectInert(MakeWay({0, 0, 0}, {10, 0, 0}, {10, 4, kNaN}, {0, 4, 0}));     // NaN corner
    ExpectInert(MakeWay({0, 0, 0}, {kInf, 0, 0}, {10, 4, 0}, {0, 4, 0}));      // infinite corner
    ExpectInert(MakeWay({0, 0, 0}, {3e38f, 0, 0}, {3e38f, 4, 0}, {0, 4, 0}));  // sums overflow
    ExpectInert(WayRecord());
}

TEST(WayFrame, ContainsXYIsStrictAndIgnoresHeight) {
    const WayRecord way = BoxWay(0.0f, 0.0f, 10.0f, 4.0f);
    EXPECT_TRUE(way.ContainsXY({9.99f, 3.99f, 1e6f}));
    EXPECT_TRUE(way.ContainsXY({0.01f, 0.01f, -1e6f}));
    for (const Point3& edge : {Point3(10, 2, 0), Point3(0, 2, 0), Point3(5, 4, 0), Point3(5, 0, 0), Point3(10, 4, 0)})
        EXPECT_FALSE(way.ContainsXY(edge)) << edge.x << "," << edge.y;
    EXPECT_FALSE(way.ContainsXY({kNaN, 2, 0}));
}
