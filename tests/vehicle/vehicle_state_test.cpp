// The vehicle state: construction and resets, axles, drivability, part transforms at rest and
// live, the plan's box and wire.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/tracing.h"
#include "host/graphics_window.h"
#include "tests/vehicle/vehicle_support.h"
#include "vehicle/vehicle_state.h"

namespace {

using StateTest = VehicleTest;

void SetLayout(VehicleState& s, int axles) {
    s.axleCount = axles;
    const float y[] = {120.0f, 0.0f, -80.0f};
    for (int a = 0; a < 3; ++a) {
        s.wheelPos[a] = {70.0f, y[a], 30.0f + a};
        s.wheelSize[a] = {20.0f, 30.0f, 0.0f};
    }
    s.UpdateAxles();
}

TEST_F(StateTest, ConstructionSetsEveryFieldAndInertZones) {
    const VehicleState s;
    EXPECT_EQ(s.bodyTM, Matrix3());
    EXPECT_EQ(s.springTM, Matrix3());
    EXPECT_EQ(s.wander, 1.0f);
    EXPECT_EQ(s.travelled, 100.0);
    EXPECT_EQ(s.stopTimer, -1.0);
    EXPECT_GE(s.phase, 0.0);
    EXPECT_LE(s.phase, 2.0 * 3.1415927);
    EXPECT_EQ(s.temper, 1.0f);
    EXPECT_EQ(s.halfWidth, 0.0f);
    EXPECT_EQ(s.axleCount, 0);
    EXPECT_FALSE(s.HasRecord());
    ZoneEffect effect;
    VehicleProbe probe;  // at the origin, inside every default-sized square there
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(s.zones[k].owner, s.OwnerTag());
        EXPECT_EQ(s.zones[k].rule, RuleNone);
        s.zones[k].Apply(probe, effect);
    }
    EXPECT_EQ(effect.found, 0.0);
    EXPECT_EQ(effect.score, 0.0);
}

TEST_F(StateTest, ResetAtRestsAtThePoseAndKeepsRecordAndZones) {
    VehicleState s;
    s.record.Start(4, s);
    VehicleSnapshot snap;
    s.record.Append(s.TakeSnapshot(snap));
    s.zones[3].tm = TransMatrix({5, 6, 7});
    s.speed = 9.0f;
    s.steerHistory[2] = 0.3f;
    s.stopShare[39] = 1.0f;
    s.bodyRate = {1, 2, 3};
    s.reverse = 1;
    s.zonesWritten = 1;
    s.travelled = 3.0;
    const Matrix3 pose = TransMatrix({10, 20, 0});
    s.ResetAt(pose, 480);
    EXPECT_EQ(s.bodyTM, pose);
    EXPECT_EQ(s.springTM, pose);
    EXPECT_EQ(s.time, 480);
    EXPECT_EQ(s.speed, 0.0f);
    EXPECT_EQ(s.steerHistory[2], 0.0f);
    EXPECT_EQ(s.stopShare[39], 0.0f);
    EXPECT_EQ(s.bodyRate, Point3());
    EXPECT_EQ(s.reverse, 0);
    EXPECT_EQ(s.zonesWritten, 0);
    EXPECT_EQ(s.travelled, 100.0);
    EXPECT_TRUE(s.record.IsStarted());
    EXPECT_EQ(s.zones[3].tm.GetTrans(), Point3(5, 6, 7));
    s.Reset();
    EXPECT_EQ(s.bodyTM, Matrix3());
}

TEST_F(StateTest, AxlesGiveThePivotAndWheelbase) {
    VehicleState s;
    SetLayout(s, 3);
    EXPECT_EQ(s.pivot, -40.0f);
    EXPECT_EQ(s.wheelbase, 160.0f);
    SetLayout(s, 2);
    EXPECT_EQ(s.pivot, 0.0f);
    EXPECT_EQ(s.wheelbase, 120.0f);
}

TEST_F(StateTest, OnlyWellFormedVehiclesAreDrivable) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* what;
        int axles;
        float frontY, radius, rearX;
        bool drivable;
    } cases[] = {
        {"two axles", 2, 120, 30, 70, true},
        {"three axles", 3, 120, 30, 70, true},
        {"no axles", 0, 120, 30, 70, false},
        {"one axle", 1, 120, 30, 70, false},
        {"front behind the pivot", 2, -10, 30, 70, false},
        {"zero radius", 2, 120, 0, 70, false},
        {"infinite radius", 2, 120, inf, 70, false},
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

TEST_F(StateTest, RestPoseMirrorsOnlyXForLeftWheels) {
    VehicleState s;
    SetLayout(s, 2);
    Matrix3 m;
    ASSERT_TRUE(s.GetPartTM(m, 0, 0));
    EXPECT_EQ(m, Matrix3());
    const Point3 expected[] = {{-70, 120, 30}, {70, 120, 30}, {-70, 0, 31}, {70, 0, 31}, {-70, -80, 32}, {70, -80, 32}};
    for (int part = 1; part <= 6; ++part) {
        ASSERT_TRUE(s.GetPartTM(m, part, 0));
        EXPECT_EQ(m.GetTrans(), expected[part - 1]) << part;
        EXPECT_EQ(m.GetRow(0), Point3(1, 0, 0));
    }
    m = TransMatrix({1, 2, 3});
    for (int part : {-1, 7, 100}) {
        EXPECT_FALSE(s.GetPartTM(m, part, 0));
        EXPECT_EQ(m, TransMatrix({1, 2, 3}));
    }
}

// While tracing: the wheel spun about X, the front axle steered about Z, placed on the sprung
// body. Parts 5 and 6 of a 2-axle vehicle use the third table entry and the rear spin.
TEST_F(StateTest, LivePartsFollowTheSprungBody) {
    VehicleState s;
    SetLayout(s, 2);
    s.springTM = RotateZMatrix(0.5f) * TransMatrix({100, 200, 10});
    s.spin[0] = 0.7f;
    s.spin[1] = -1.1f;
    s.steerAvg = 0.2f;
    for (int i = 0; i < 6; ++i) s.suspension[i] = 1.0f + i;
    SetTracing(1);
    Matrix3 m;
    ASSERT_TRUE(s.GetPartTM(m, 0, 0));
    EXPECT_EQ(m, s.springTM);
    const struct {
        int part;
        float spin, steer;
        Point3 at;
    } cases[] = {
        {1, 0.7f, 0.2f, {-70, 120, 31}}, {2, 0.7f, 0.2f, {70, 120, 32}}, {3, -1.1f, 0, {-70, 0, 34}},
        {6, -1.1f, 0, {70, -80, 38}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(s.GetPartTM(m, c.part, 0));
        ExpectMatrixNear(m, RotateXMatrix(-c.spin) * RotateZMatrix(-c.steer) * TransMatrix(c.at) * s.springTM);
    }
}

TEST_F(StateTest, PlanBoxHoldsZonesOneToSeven) {
    VehicleState s;
    for (int k = 0; k < 8; ++k) s.zones[k].tm = TransMatrix({10.0f * k, -5.0f * k, 1});
    Box3 box;
    s.AddPlanToBox(box);
    EXPECT_EQ(box.pmin, Point3(10, -35, 1));
    EXPECT_EQ(box.pmax, Point3(70, -5, 1));
}

TEST_F(StateTest, WireDrawsThePathBordersAndTheFarFootprint) {
    VehicleState s;
    s.halfWidth = 2;
    s.halfLength = 5;
    for (int k = 0; k < 8; ++k) s.zones[k].tm = TransMatrix({0, 10.0f * k, 0});
    for (const int reverse : {0, 1}) {
        s.reverse = static_cast<std::uint8_t>(reverse);
        GraphicsWindow gw;
        s.DrawWire(&gw);
        ASSERT_EQ(gw.Records().size(), 17u);
        EXPECT_EQ(gw.SegmentRuns(), 1);
        EXPECT_EQ(gw.Records()[0].points, (std::vector<Point3>{{-2, 0, 0}, {-2, 10, 0}}));
        EXPECT_EQ(gw.Records()[13].points, (std::vector<Point3>{{2, 60, 0}, {2, 70, 0}}));
        const float far = reverse ? 65.0f : 75.0f;
        EXPECT_EQ(gw.Records()[15].points, (std::vector<Point3>{{-2, far, 0}, {2, far, 0}}));
        for (const DrawRecord& r : gw.Records()) EXPECT_EQ(r.color, Point3(0, 1, 0));
    }
}

}  // namespace
