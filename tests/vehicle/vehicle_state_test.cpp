// The vehicle state: inert own zones, resets, stop wishes, drivability, and part transforms.

#include <cmath>
#include <limits>
#include <tuple>

#include "common/random_access.h"
#include "tests/vehicle/vehicle_support.h"
#include "vehicle/vehicle_probe_fill.h"

namespace {

using StateTest = OneVehicleTest;

// Fresh zones act on nothing; a reset rests the motion at the pose with a new phase, keeping
// record and zones. Past 50 m only a bus wishes to stop and only a car to park.
TEST_F(StateTest, ConstructionResetsAndStopWishes) {
    ZoneEffect effect;
    for (const TrafficZone& zone : s.zones) zone.Apply(VehicleProbe{}, effect);
    EXPECT_EQ(effect.found, 0.0);
    s.record.Start(4, s);
    s.zones[3].tm = TransMatrix({5, 6, 7});
    s.speed = 9.0f;
    s.stopShare[39] = 1.0f;
    s.reverse = s.zonesWritten = 1;
    SharedRandom().srand(5);
    const double phase = Rand01() * 3.1415927 * 2.0;
    SharedRandom().srand(5);
    s.ResetAt(TransMatrix({10, 20, 0}), 480);
    EXPECT_EQ(std::make_tuple(s.springTM, s.time, s.speed + s.stopShare[39] + s.reverse + s.zonesWritten, s.wander, s.travelled, s.stopTimer, s.phase),
              std::make_tuple(TransMatrix({10, 20, 0}), 480, 0.0f, 1.0f, 100.0, -1.0, phase));
    EXPECT_EQ(std::make_pair(s.record.IsStarted(), s.zones[3].tm.GetTrans()), std::make_pair(true, Point3(5, 6, 7)));
    const std::pair<int, int> wishes[] = {{0, 1}, {1, 0}, {0, 0}};  // bus stop, parking: car, bus, truck
    for (s.type = 0; s.type < 3; ++s.type)
        EXPECT_EQ(std::make_pair(ProbeOf(s, true).busMayStop + 0, ProbeOf(s, true).carMayPark + 0), wishes[s.type]);
}

TEST_F(StateTest, OnlyWellFormedVehiclesAreDrivable) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    const struct { const char* what; int axles; float frontY; int axle; float radius, x; bool drivable; } cases[] = {
        {"two axles", 2, 120, 1, 32, 70, true},         {"three axles", 3, 120, 2, 34, 70, true},
        {"one axle", 1, 120, 1, 32, 70, false},         {"front behind the pivot", 2, -30, 1, 32, 70, false},
        {"zero wheelbase", 2, -20, 1, 32, 70, false},   {"zero wheelbase of three", 3, -50, 1, 32, 70, false},
        {"zero radius", 2, 120, 1, 0, 70, false},       {"infinite radius", 2, 120, 1, inf, 70, false},
        {"position not a number", 2, 120, 1, 32, nan, false}, {"third axle without radius", 3, 120, 2, 0, 70, false},
        {"third axle nowhere", 3, 120, 2, 34, nan, false},    {"no third axle", 2, 120, 2, 0, nan, true},
    };
    for (const auto& c : cases) {
        SetWheels(vehicle, c.axles);
        s.wheelPos[0].y = c.frontY;
        s.wheelSize[c.axle].y = c.radius;
        s.wheelPos[c.axle].x = c.x;
        s.UpdateAxles();
        EXPECT_EQ(s.IsDrivable(), c.drivable) << c.what;
    }
}

// At rest only left wheels' x mirrors; 2-axle parts 5, 6 use entry 3. Tracing spins every wheel and
// steers the front axle's alone, on two axles and on three.
TEST_F(StateTest, PartTransformsAtRestAndLive) {
    Matrix3 m;
    const Point3 rest[] = {{-70, 120, 30}, {70, 120, 30}, {-70, -20, 32}, {70, -20, 32}, {-70, -80, 34}, {70, -80, 34}};
    for (int part = 1; part <= 6; ++part) {
        ASSERT_TRUE(s.GetPartTM(m, part, 0));
        EXPECT_EQ(m, TransMatrix(rest[part - 1])) << part;
    }
    s.springTM = RotateZMatrix(0.5f) * TransMatrix({100, 200, 10});
    s.spin[0] = 0.7f, s.spin[1] = -1.1f, s.steerAvg = 0.2f;
    for (int i = 0; i < 6; ++i) s.suspension[i] = 1.0f + i;
    SetTracing(1);
    for (const int axles : {2, 3}) {
        SetWheels(vehicle, axles);
        for (int part = 1; part <= 6; ++part) {
            SCOPED_TRACE(10 * axles + part);
            ASSERT_TRUE(s.GetPartTM(m, part, 0));
            const Matrix3 turned = part <= 2 ? RotateXMatrix(-0.7f) * RotateZMatrix(-0.2f) : RotateXMatrix(1.1f);
            ExpectMatrixNear(m, turned * TransMatrix(rest[part - 1] + Point3(0, 0, part)) * s.springTM);
        }
    }
}

}  // namespace
