#include <cstddef>
#include <type_traits>

#include <gtest/gtest.h>

#include "tests/traffic/zone_test_support.h"

static_assert(std::is_standard_layout_v<TrafficZone>);
static_assert(std::is_trivially_copyable_v<TrafficZone>);

TEST(ZoneInit, FieldsLieInTheDocumentedOrder) {
    const std::size_t offsets[] = {
        offsetof(TrafficZone, owner), offsetof(TrafficZone, tm),      offsetof(TrafficZone, inverse),
        offsetof(TrafficZone, corners), offsetof(TrafficZone, hx),    offsetof(TrafficZone, hy),
        offsetof(TrafficZone, minHalf), offsetof(TrafficZone, speed), offsetof(TrafficZone, slot),
        offsetof(TrafficZone, rule),
    };
    for (std::size_t i = 1; i < std::size(offsets); ++i) EXPECT_LT(offsets[i - 1], offsets[i]) << i;
}

TEST(ZoneInit, StoresItsArgumentsAndReturnsItself) {
    TrafficZone zone;
    const Matrix3 tm = FrameAt(3.0f, 4.0f, 5.0f);
    TrafficZone& result = zone.Init(tm, 0xDEADBEEFCAFEull, 2.5f, 0.75f, 6, RuleStopLine, 33.0f);
    EXPECT_EQ(&result, &zone);
    EXPECT_EQ(zone.owner, 0xDEADBEEFCAFEull);
    EXPECT_EQ(zone.tm, tm);
    EXPECT_EQ(zone.hx, 2.5f);
    EXPECT_EQ(zone.hy, 0.75f);
    EXPECT_EQ(zone.minHalf, 0.75f);
    EXPECT_EQ(zone.speed, 33.0f);
    EXPECT_EQ(zone.slot, 6u);
    EXPECT_EQ(zone.rule, static_cast<std::uint32_t>(RuleStopLine));
}

TEST(ZoneInit, MinHalfIsTheSmallerHalfExtent) {
    TrafficZone zone;
    EXPECT_EQ(zone.Init(Matrix3(), 0, 2.0f, 3.0f, 0, RuleObstacle, 0.0f).minHalf, 2.0f);
    EXPECT_EQ(zone.Init(Matrix3(), 0, 3.0f, 2.0f, 0, RuleObstacle, 0.0f).minHalf, 2.0f);
    EXPECT_EQ(zone.Init(Matrix3(), 0, 1.25f, 1.25f, 0, RuleObstacle, 0.0f).minHalf, 1.25f);
}

TEST(ZoneInit, CornersGoRoundFromLocalMinusXPlusY) {
    // Local X along world +Y, local Y along world -X.
    const Matrix3 tm = Frame({0.0f, 1.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {10.0f, 20.0f, 5.0f});
    const TrafficZone zone = MakeZone(tm, 2.0f, 3.0f, RuleObstacle);
    EXPECT_EQ(zone.corners[0], Point3(7.0f, 18.0f, 5.0f));
    EXPECT_EQ(zone.corners[1], Point3(7.0f, 22.0f, 5.0f));
    EXPECT_EQ(zone.corners[2], Point3(13.0f, 22.0f, 5.0f));
    EXPECT_EQ(zone.corners[3], Point3(13.0f, 18.0f, 5.0f));
}

TEST(ZoneInit, InverseCarriesWorldPointsToLocalWithHeightAlongWorldUp) {
    Matrix3 tm = Frame({0.0f, 2.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {10.0f, 20.0f, 5.0f});
    tm.SetRow(2, {3.0f, 4.0f, 7.0f});
    const TrafficZone zone = MakeZone(tm, 2.0f, 3.0f, RuleObstacle);
    // Local (1, -2) lies at world (12, 22, 5); 1.5 above it is local height 1.5.
    const Point3 local = Point3(12.0f, 22.0f, 6.5f) * zone.inverse;
    EXPECT_FLOAT_EQ(local.x, 1.0f);
    EXPECT_FLOAT_EQ(local.y, -2.0f);
    EXPECT_FLOAT_EQ(local.z, 1.5f);
    EXPECT_EQ(zone.tm, tm);
}

TEST(ZoneInit, DefaultZoneIsTheUnitSquareActingOnNothing) {
    const TrafficZone fresh;
    TrafficZone inited;
    inited.Init(Matrix3(), 0, 1.0f, 1.0f, 0, RuleNone, kNoSpeedCap);
    EXPECT_EQ(fresh.owner, inited.owner);
    EXPECT_EQ(fresh.tm, inited.tm);
    EXPECT_EQ(fresh.inverse, inited.inverse);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fresh.corners[i], inited.corners[i]) << i;
    EXPECT_EQ(fresh.hx, inited.hx);
    EXPECT_EQ(fresh.hy, inited.hy);
    EXPECT_EQ(fresh.minHalf, inited.minHalf);
    EXPECT_EQ(fresh.speed, inited.speed);
    EXPECT_EQ(fresh.slot, inited.slot);
    EXPECT_EQ(fresh.rule, inited.rule);
    EXPECT_EQ(fresh.rule, 0xFFFFFFFFu);
}

TEST(ZoneAddToBox, ExtendsByTheFourCorners) {
    // A diamond: X and Y axes at 45 degrees, scaled by root two, so the corners are exact.
    const Matrix3 tm = Frame({1.0f, 1.0f, 0.0f}, {-1.0f, 1.0f, 0.0f}, {5.0f, 5.0f, 2.0f});
    const TrafficZone zone = MakeZone(tm, 1.0f, 2.0f, RuleObstacle);
    Box3 box;
    zone.AddToBox(box);
    EXPECT_EQ(box.pmin, Point3(2.0f, 2.0f, 2.0f));
    EXPECT_EQ(box.pmax, Point3(8.0f, 8.0f, 2.0f));

    Box3 bigger({0.0f, 3.0f, -1.0f}, {4.0f, 4.0f, 0.0f});
    zone.AddToBox(bigger);
    EXPECT_EQ(bigger.pmin, Point3(0.0f, 2.0f, -1.0f));
    EXPECT_EQ(bigger.pmax, Point3(8.0f, 8.0f, 2.0f));
}
