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

TEST(HitRegion, NonFiniteSegmentsMiss) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(SegmentHitDistance(PointRegion(0, 0, 4), {nan, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 1), {nan, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 1), {-inf, 0, 0}, {inf, 0, 0}));
    EXPECT_FALSE(SegmentHitDistance(BoxRegion({-5, -5}, {5, 5}, 0), {nan, 0, 0}, {1, 0, 0}));
}

}  // namespace
