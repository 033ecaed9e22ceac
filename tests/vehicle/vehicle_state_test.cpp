// The vehicle state: inert own zones, resets, drivability, and part transforms at rest and live.

#include <cmath>
#include <limits>
#include <tuple>

#include "tests/vehicle/vehicle_support.h"

namespace {

using StateTest = VehicleTest;

// Three axles: front at y 120, then 0 and -80; right wheels at x 70, radius 30.
void SetLayout(VehicleState& s, int axles) {
    s.axleCount = axles;
    const float y[] = {120.0f, 0.0f, -80.0f};
    for (int a = 0; a < 3; ++a) {
        s.wheelPos[a] = {70.0f, y[a], 30.0f + a};
        s.wheelSize[a] = {20.0f, 30.0f, 0.0f};
    }
    s.UpdateAxles();
}

// Fresh zones act on nothing; a reset rests the motion at the pose, keeping record and zones.
TEST_F(StateTest, ConstructionAndResets) {
    VehicleState s;
    ZoneEffect effect;
    for (const TrafficZone& zone : s.zones) zone.Apply(VehicleProbe{}, effect);
    EXPECT_EQ(effect.found, 0.0);
    s.record.Start(4, s);
    s.zones[3].tm = TransMatrix({5, 6, 7});
    s.speed = 9.0f;
    s.stopShare[39] = 1.0f;
    s.reverse = s.zonesWritten = 1;
    s.ResetAt(TransMatrix({10, 20, 0}), 480);
    EXPECT_EQ(std::make_tuple(s.springTM, s.time, s.speed + s.stopShare[39] + s.reverse + s.zonesWritten),
              std::make_tuple(TransMatrix({10, 20, 0}), 480, 0.0f));
    EXPECT_EQ(std::make_tuple(s.wander, s.travelled, s.stopTimer), std::make_tuple(1.0f, 100.0, -1.0));
    EXPECT_TRUE(s.record.IsStarted());
    EXPECT_EQ(s.zones[3].tm.GetTrans(), Point3(5, 6, 7));
}

TEST_F(StateTest, OnlyWellFormedVehiclesAreDrivable) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct { const char* what; int axles; float frontY, radius, rearX; bool drivable; } cases[] = {
        {"two axles", 2, 120, 30, 70, true},        {"three axles", 3, 120, 30, 70, true},
        {"one axle", 1, 120, 30, 70, false},        {"front behind the pivot", 2, -10, 30, 70, false},
        {"zero radius", 2, 120, 0, 70, false},      {"infinite radius", 2, 120, inf, 70, false},
        {"position not a number", 2, 120, 30, std::nanf(""), false},
    };
    for (const auto& c : cases) {
        VehicleState s;
        SetLayout(s, c.axles);
        s.wheelPos[0].y = c.frontY;
        s.wheelSize[1].y = c.radius;
        s.wheelPos[1].x = c.rearX;
        s.UpdateAxles();
        EXPECT_EQ(s.IsDrivable(), c.drivable) << c.what;
    }
}

// At rest only left wheels' x mirrors; 2-axle parts 5, 6 use entry 3; tracing spins and steers.
TEST_F(StateTest, PartTransformsAtRestAndLive) {
    VehicleState s;
    SetLayout(s, 2);
    Matrix3 m;
    const Point3 rest[] = {{-70, 120, 30}, {70, 120, 30}, {-70, 0, 31}, {70, 0, 31}, {-70, -80, 32}, {70, -80, 32}};
    for (int part = 1; part <= 6; ++part) {
        ASSERT_TRUE(s.GetPartTM(m, part, 0));
        EXPECT_EQ(m, TransMatrix(rest[part - 1])) << part;
    }
    s.springTM = RotateZMatrix(0.5f) * TransMatrix({100, 200, 10});
    s.spin[0] = 0.7f;
    s.spin[1] = -1.1f;
    s.steerAvg = 0.2f;
    for (int i = 0; i < 6; ++i) s.suspension[i] = 1.0f + i;
    SetTracing(1);
    ASSERT_TRUE(s.GetPartTM(m, 2, 0));
    ExpectMatrixNear(m, RotateXMatrix(-0.7f) * RotateZMatrix(-0.2f) * TransMatrix({70, 120, 32}) * s.springTM);
    ASSERT_TRUE(s.GetPartTM(m, 5, 0));
    ExpectMatrixNear(m, RotateXMatrix(1.1f) * TransMatrix({-70, -80, 37}) * s.springTM);
}

}  // namespace
