// Traffic lights and stop lines: heading and the vehicle's present front decide.
#include <cmath>

#include <gtest/gtest.h>

#include "tests/traffic/zone_test_support.h"

namespace {
// A zone 6 wide and 3 long at the origin; every probe samples its centre.
TrafficZone LineZone(std::uint32_t rule) { return MakeZone(FrameAt(0.0f, 0.0f), 3.0f, 1.5f, rule, 2.0f); }

// The probe's body is 4 long (half length 2), so its front is 2 ahead of the body origin.
VehicleProbe BodyAt(float y, Point3 forward = {0.0f, 1.0f, 0.0f}) {
    VehicleProbe probe = ProbeAt({0.0f, 0.0f, 0.0f});
    probe.bodyTM = Frame({forward.y, -forward.x, 0.0f}, forward, {0.0f, y, 0.0f});
    return probe;
}
}  // namespace

TEST(ZoneHeading, HeadingAgainstOrAcrossTheZoneIsNotCapped) {
    for (const std::uint32_t rule : {RuleTrafficLight, RuleStopLine}) {
        const TrafficZone zone = LineZone(rule);
        EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-20.0f)), 2.0f)) << rule;
        EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-20.0f, {0.0f, -1.0f, 0.0f})))) << rule;
        EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-20.0f, {1.0f, 0.0f, 0.0f})))) << rule;
        EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-20.0f, {-1.0f, 0.0f, 0.0f})))) << rule;
    }
}

TEST(ZoneHeading, ThresholdIsExclusiveInSinglePrecision) {
    // The zone's Y row is (0, 1, 0), so d is the body's Y-row y component exactly.
    const float atThreshold = 0.3f;
    const float justAbove = std::nextafter(0.3f, 1.0f);
    for (const std::uint32_t rule : {RuleTrafficLight, RuleStopLine}) {
        const TrafficZone zone = LineZone(rule);
        EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-20.0f, {0.9f, atThreshold, 0.0f})))) << rule;
        EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-20.0f, {0.9f, justAbove, 0.0f})), 2.0f)) << rule;
    }
}

TEST(ZoneHeading, RowsAreNotNormalised) {
    for (const std::uint32_t rule : {RuleTrafficLight, RuleStopLine}) {
        const TrafficZone zone = LineZone(rule);
        // Straight along +Y but scaled down to 0.25: d = 0.25.
        EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-20.0f, {0.0f, 0.25f, 0.0f})))) << rule;
        // About 80 degrees off +Y but long: d = 0.4.
        EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-20.0f, {2.3f, 0.4f, 0.0f})), 2.0f)) << rule;
    }
}

TEST(ZoneHeading, TrafficLightHoldsUntilTheFrontPassesTheFarEdge) {
    const TrafficZone zone = LineZone(RuleTrafficLight);
    // Front at body y + 2; the far edge is at y = 1.5.
    EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-30.0f)), 2.0f));
    EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-2.0f)), 2.0f));
    EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-0.51f)), 2.0f));
    EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-0.5f))));
    EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(5.0f))));
}

TEST(ZoneHeading, StopLineHoldsOnlyBeforeTheNearEdge) {
    const TrafficZone zone = LineZone(RuleStopLine);
    // Front at body y + 2; the near edge is at y = -1.5.
    EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-30.0f)), 2.0f));
    EXPECT_TRUE(CappedTo(Applied(zone, BodyAt(-3.51f)), 2.0f));
    EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-3.5f))));
    EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(-2.0f))));
    EXPECT_TRUE(Unchanged(Applied(zone, BodyAt(5.0f))));
}

TEST(ZoneHeading, ProbeOutsideTheZoneIsNotCappedWhereverTheBody) {
    for (const std::uint32_t rule : {RuleTrafficLight, RuleStopLine}) {
        VehicleProbe probe = BodyAt(-20.0f);
        probe.position = {0.0f, 1.6f, 0.0f};
        EXPECT_TRUE(Unchanged(Applied(LineZone(rule), probe))) << rule;
    }
}

TEST(ZoneHeading, RotatedZoneJudgesTheFrontInItsOwnFrame) {
    // A stop line facing +X at x = 50 with its near edge at x = 49 and far edge at x = 51.
    const Matrix3 tm = Frame({0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {50.0f, 10.0f, 0.0f});
    const TrafficZone stop = MakeZone(tm, 4.0f, 1.0f, RuleStopLine, 2.0f);
    const TrafficZone light = MakeZone(tm, 4.0f, 1.0f, RuleTrafficLight, 2.0f);
    const auto carAt = [](float x) {
        VehicleProbe probe = ProbeAt({50.5f, 12.0f, 0.0f});
        probe.bodyTM = Frame({0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {x, 10.0f, 0.0f});
        return probe;
    };
    // Front at x + 2.
    EXPECT_TRUE(CappedTo(Applied(stop, carAt(40.0f)), 2.0f));
    EXPECT_TRUE(Unchanged(Applied(stop, carAt(47.0f))));
    EXPECT_TRUE(CappedTo(Applied(light, carAt(48.9f)), 2.0f));
    EXPECT_TRUE(Unchanged(Applied(light, carAt(49.0f))));
    // The same car driving along +Y crosses the line sideways.
    VehicleProbe across = carAt(40.0f);
    across.bodyTM = FrameAt(40.0f, 10.0f);
    EXPECT_TRUE(Unchanged(Applied(stop, across)));
    EXPECT_TRUE(Unchanged(Applied(light, across)));
}
