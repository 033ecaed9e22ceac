#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "tests/traffic/zone_test_support.h"

TEST(ZoneApply, ZonesOfTheProbesOwnerAreSkippedWhateverTheRule) {
    for (std::uint32_t rule = RuleVehicle; rule <= RuleStopLine; ++rule) {
        const TrafficZone zone = MakeZone(FrameAt(0.0f, 0.0f), 3.0f, 3.0f, rule, 1.0f, 42);
        VehicleProbe own = ProbeAt({0.0f, 0.0f, 0.0f}, 42);
        own.bodyTM = FrameAt(0.0f, -50.0f);
        EXPECT_TRUE(Unchanged(Applied(zone, own))) << rule;
        VehicleProbe other = own;
        other.owner = 43;
        EXPECT_FALSE(Unchanged(Applied(zone, other))) << rule;
    }
}

TEST(ZoneApply, RectangleEdgeIsInsideButContainsXYSaysOutside) {
    const TrafficZone zone = MakeZone(FrameAt(10.0f, 20.0f), 2.0f, 3.0f, RuleSpeedLimit, 5.0f);
    const Point3 onEdge[] = {{12.0f, 20.0f, 0.0f}, {8.0f, 20.0f, 0.0f},  {10.0f, 23.0f, 0.0f},
                             {10.0f, 17.0f, 0.0f}, {12.0f, 23.0f, 0.0f}, {8.0f, 17.0f, 0.0f}};
    for (const Point3& p : onEdge) {
        EXPECT_TRUE(CappedTo(Applied(zone, ProbeAt(p)), 5.0f)) << p.x << "," << p.y;
        EXPECT_FALSE(zone.ContainsXY(p)) << p.x << "," << p.y;
    }
    EXPECT_TRUE(zone.ContainsXY({11.99f, 22.99f, 0.0f}));
    EXPECT_TRUE(zone.ContainsXY({11.99f, 22.99f, 1e6f}));
    EXPECT_TRUE(Unchanged(Applied(zone, ProbeAt({12.01f, 20.0f, 0.0f}))));
    EXPECT_TRUE(Unchanged(Applied(zone, ProbeAt({10.0f, 16.99f, 0.0f}))));
}

TEST(ZoneApply, HeightIsComparedWithTheProbesHeight) {
    const TrafficZone zone = MakeZone(FrameAt(0.0f, 0.0f, 10.0f), 2.0f, 2.0f, RuleVehicle);
    // The probe is 1.5 high.
    for (const float z : {10.0f, 11.5f, 8.5f}) EXPECT_EQ(Applied(zone, ProbeAt({0.0f, 0.0f, z})).score, -100.0) << z;
    for (const float z : {11.51f, 8.49f, 0.0f}) EXPECT_TRUE(Unchanged(Applied(zone, ProbeAt({0.0f, 0.0f, z})))) << z;
}

TEST(ZoneApply, HeightIsMeasuredAlongWorldUpWhateverTheZoneZAxis) {
    // A tilted, stretched Z axis would shift and shrink local coordinates if it were inverted.
    Matrix3 tm = FrameAt(0.0f, 0.0f);
    tm.SetRow(2, {5.0f, 0.0f, 10.0f});
    const TrafficZone zone = MakeZone(tm, 1.0f, 1.0f, RuleVehicle);
    EXPECT_EQ(Applied(zone, ProbeAt({0.0f, 0.0f, 1.5f})).score, -100.0);
    EXPECT_TRUE(Unchanged(Applied(zone, ProbeAt({0.0f, 0.0f, 1.6f}))));

    // A flattened Z axis still leaves a usable inverse.
    tm.SetRow(2, {0.0f, 0.0f, 0.0f});
    const TrafficZone flat = MakeZone(tm, 1.0f, 1.0f, RuleVehicle);
    EXPECT_EQ(Applied(flat, ProbeAt({0.5f, -0.5f, 1.0f})).score, -100.0);
    EXPECT_TRUE(flat.ContainsXY({0.5f, -0.5f, 0.0f}));
}

TEST(ZoneApply, BlockingIsAssignedNotAdded) {
    for (const std::uint32_t rule : {RuleVehicle, RuleObstacle}) {
        const TrafficZone zone = MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, rule, 1.0f);
        ZoneEffect e = kStartEffect;
        zone.Apply(ProbeAt({0.5f, 0.5f, 0.0f}), e);
        EXPECT_EQ(e.score, -100.0);
        EXPECT_EQ(e.found, -100.0);
        zone.Apply(ProbeAt({-0.5f, 0.5f, 0.0f}), e);
        EXPECT_EQ(e.score, -100.0);
        EXPECT_EQ(e.found, -100.0);
        // Blocking leaves the cap and the lane terms alone, whatever the zone's speed.
        EXPECT_EQ(e.stopTerm, kStartEffect.stopTerm);
        EXPECT_EQ(e.priority, kStartEffect.priority);
        EXPECT_EQ(e.speedCap, kStartEffect.speedCap);
    }
}

TEST(ZoneApply, SpeedLimitLowersTheCapOnly) {
    const VehicleProbe probe = ProbeAt({0.0f, 0.0f, 0.0f});
    // The starting cap is 9.
    EXPECT_TRUE(Unchanged(Applied(MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, RuleSpeedLimit, 12.0f), probe)));
    EXPECT_TRUE(Unchanged(Applied(MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, RuleSpeedLimit, 9.0f), probe)));
    EXPECT_TRUE(CappedTo(Applied(MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, RuleSpeedLimit, 4.0f), probe), 4.0f));
    EXPECT_TRUE(CappedTo(Applied(MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, RuleSpeedLimit, 0.0f), probe), 0.0f));
}

TEST(ZoneApply, SpeedLimitIgnoresHeading) {
    VehicleProbe probe = ProbeAt({0.0f, 0.0f, 0.0f});
    probe.bodyTM = Frame({-1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(CappedTo(Applied(MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, RuleSpeedLimit, 4.0f), probe), 4.0f));
}

TEST(ZoneApply, UnknownRulesDoNothing) {
    for (const std::uint32_t rule : {5u, 6u, 100u, 0x80000000u, static_cast<std::uint32_t>(RuleNone)}) {
        const TrafficZone zone = MakeZone(FrameAt(0.0f, 0.0f), 2.0f, 2.0f, rule, 0.0f);
        VehicleProbe probe = ProbeAt({0.0f, 0.0f, 0.0f});
        probe.bodyTM = FrameAt(0.0f, -50.0f);
        EXPECT_TRUE(Unchanged(Applied(zone, probe))) << rule;
    }
}

TEST(ZoneApply, SingularTransformBlocksNothing) {
    // Parallel X and Y axes: the inverse is all NaN.
    const Matrix3 singular = Frame({1.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    for (std::uint32_t rule = RuleVehicle; rule <= RuleStopLine; ++rule) {
        const TrafficZone zone = MakeZone(singular, 5.0f, 5.0f, rule, 0.0f);
        ASSERT_TRUE(std::isnan(zone.inverse[0].x));
        for (const Point3& p : {Point3(0.0f, 0.0f, 0.0f), Point3(1.0f, 0.0f, 0.0f), Point3(0.0f, 1.0f, 0.0f)}) {
            VehicleProbe probe = ProbeAt(p);
            probe.bodyTM = FrameAt(0.0f, -50.0f);
            EXPECT_TRUE(Unchanged(Applied(zone, probe))) << rule;
            EXPECT_FALSE(zone.ContainsXY(p));
        }
    }
}

TEST(ZoneApply, DefaultZoneActsOnNothing) {
    alignas(TrafficZone) unsigned char storage[sizeof(TrafficZone)];
    std::memset(storage, 0, sizeof storage);
    const TrafficZone* zone = new (storage) TrafficZone;
    for (const std::uint64_t owner : {0ull, 1ull, 0xFFFFFFFFFFFFFFFFull}) {
        VehicleProbe probe = ProbeAt({0.0f, 0.0f, 0.0f}, owner);
        probe.bodyTM = FrameAt(0.0f, -50.0f);
        EXPECT_TRUE(Unchanged(Applied(*zone, probe))) << owner;
    }
    zone->~TrafficZone();
}

TEST(ZoneApply, RotatedZoneMatchesLocalCoordinatesInDouble) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<float> angle(-std::numbers::pi_v<float>, std::numbers::pi_v<float>);
    std::uniform_real_distribution<float> coord(-100.0f, 100.0f);
    std::uniform_real_distribution<float> half(0.5f, 20.0f);
    std::uniform_real_distribution<float> unit(-1.5f, 1.5f);
    int inside = 0, outside = 0;
    for (int n = 0; n < 2000; ++n) {
        const float a = angle(rng), cx = coord(rng), cy = coord(rng), hx = half(rng), hy = half(rng);
        const Matrix3 tm = RotateZMatrix(a) * TransMatrix({cx, cy, 0.0f});
        const TrafficZone zone = MakeZone(tm, hx, hy, RuleObstacle);
        for (int k = 0; k < 20; ++k) {
            // Sample around the zone so that about half the points fall inside.
            const double lx0 = unit(rng) * hx, ly0 = unit(rng) * hy;
            const double wx = cx + lx0 * tm[0].x + ly0 * tm[1].x, wy = cy + lx0 * tm[0].y + ly0 * tm[1].y;
            const Point3 p(wx, wy, 0.0);
            const double dx = p.x - static_cast<double>(cx), dy = p.y - static_cast<double>(cy);
            const double lx = dx * std::cos(static_cast<double>(a)) + dy * std::sin(static_cast<double>(a));
            const double ly = -dx * std::sin(static_cast<double>(a)) + dy * std::cos(static_cast<double>(a));
            const double mx = hx - std::fabs(lx), my = hy - std::fabs(ly);
            if (std::fabs(mx) < 1e-3 || std::fabs(my) < 1e-3) continue;
            const bool expected = mx > 0 && my > 0;
            (expected ? inside : outside)++;
            ASSERT_EQ(Applied(zone, ProbeAt(p)).score == -100.0, expected) << n << " " << k;
            ASSERT_EQ(zone.ContainsXY(p), expected) << n << " " << k;
        }
    }
    EXPECT_GT(inside, 10000);
    EXPECT_GT(outside, 10000);
}
