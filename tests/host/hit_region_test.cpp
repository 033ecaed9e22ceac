#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/hit_region.h"

namespace {

HitRegion PointRegion(int x, int y, int epsilon) {
    IPoint2 p{x, y};
    HitRegion r;
    MakeHitRegion(r, HITTYPE_POINT, 0, epsilon, &p);
    return r;
}

HitRegion BoxRegion(IPoint2 a, IPoint2 b, int crossing) {
    IPoint2 p[2] = {a, b};
    HitRegion r;
    MakeHitRegion(r, HITTYPE_BOX, crossing, 0, p);
    return r;
}

TEST(HitRegion, PointDistanceIsToTheNearestPointOfTheSegment) {
    const HitRegion r = PointRegion(0, 0, 4);
    EXPECT_FLOAT_EQ(*SegmentHitDistance(r, {-10, 3, 0}, {10, 3, 0}), 3.0f);
    EXPECT_FLOAT_EQ(*SegmentHitDistance(r, {3, 0, 0}, {3, 9, 0}), 3.0f);
    EXPECT_FLOAT_EQ(*SegmentHitDistance(r, {3, 0, 7}, {3, 9, -7}), 3.0f) << "z is not a screen axis";
    EXPECT_FLOAT_EQ(*SegmentHitDistance(r, {4, 0, 0}, {20, 0, 0}), 4.0f) << "epsilon itself hits";
    EXPECT_FALSE(SegmentHitDistance(r, {3, 3, 0}, {30, 30, 0})) << "the end is 4.24 away";
    EXPECT_FLOAT_EQ(*SegmentHitDistance(r, {0, 2, 0}, {0, 2, 0}), 2.0f) << "a dot";
    EXPECT_FALSE(SegmentHitDistance(r, {-10, 5, 0}, {10, 5, 0}));
}

TEST(HitRegion, NonFiniteSegmentsMiss) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(SegmentHitDistance(PointRegion(0, 0, 4), {nan, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 1), {nan, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 1), {-inf, 0, 0}, {inf, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 0), {nan, 0, 0}, {1, 0, 0}));
}

TEST(HitRegion, CrossingBoxTakesAnyPartWindowBoxOnlyWholeSegments) {
    const HitRegion crossing = BoxRegion({0, 0}, {10, 10}, 1);
    const HitRegion window = BoxRegion({0, 0}, {10, 10}, 0);
    struct Case {
        Point3 a, b;
        bool crosses, inside;
    };
    const Case cases[] = {
        {{2, 2, 0}, {8, 8, 0}, true, true},
        {{-5, 5, 0}, {15, 5, 0}, true, false},      // passes through
        {{5, 5, 0}, {50, 50, 0}, true, false},      // leaves
        {{-5, 12, 0}, {12, -5, 0}, true, false},    // cuts a corner
        {{5, 16, 0}, {16, 5, 0}, false, false},     // passes the corner
        {{10, 0, 0}, {10, 10, 0}, true, true},      // on the border
        {{11, 0, 0}, {11, 10, 0}, false, false},
        {{3, 3, 0}, {3, 3, 0}, true, true},         // a dot inside
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SegmentHitDistance(crossing, c.a, c.b).has_value(), c.crosses) << c.a.x << "," << c.a.y;
        EXPECT_EQ(SegmentHitDistance(window, c.a, c.b).has_value(), c.inside) << c.a.x << "," << c.a.y;
        EXPECT_EQ(SegmentHitDistance(crossing, c.b, c.a).has_value(), c.crosses) << "either direction";
    }
    EXPECT_EQ(*SegmentHitDistance(crossing, {2, 2, 0}, {8, 8, 0}), 0.0f);
}

}  // namespace
