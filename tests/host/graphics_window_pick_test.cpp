#include <gtest/gtest.h>

#include "host/graphics_window.h"

namespace {

// The default mapping puts world (0, 0) at pixel (320, 240), one pixel per unit, y up.
class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        IPoint2 p{320, 240};
        MakeHitRegion(region, HITTYPE_POINT, 0, 4, &p);
        gw.setHitRegion(&region);
        gw.setRndLimits(GW_PICK);
        gw.clearHitCode();
    }
    void Segment(Point3 a, Point3 b) {
        const Point3 pts[2] = {a, b};
        gw.segment(pts, 1);
    }

    GraphicsWindow gw;
    HitRegion region;
};

TEST_F(PickTest, ClosedPolylineIsMeasuredAlongItsClosingEdge) {
    Point3 open[3] = {{-10, 20, 0}, {-3, 20, 0}, {-3, -20, 0}};
    gw.polyline(3, open, nullptr, 0, nullptr);
    EXPECT_EQ(gw.checkHitCode(), 1);
    EXPECT_EQ(gw.getHitDistance(), 3u);
    gw.clearHitCode();
    Point3 tri[3] = {{-20, 2, 0}, {20, 30, 0}, {20, 2, 0}};
    gw.polyline(3, tri, nullptr, 0, nullptr);
    EXPECT_EQ(gw.checkHitCode(), 0);
    gw.polyline(3, tri, nullptr, 1, nullptr);
    EXPECT_EQ(gw.getHitDistance(), 2u);
}

}  // namespace
