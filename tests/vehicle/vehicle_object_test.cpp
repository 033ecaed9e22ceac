// The vehicle object: clamped parameters, drawing, picking, boxes, creation and clones.

#include <cmath>
#include <limits>

#include "host/create_mouse.h"
#include "tests/host/host_support.h"
#include "tests/vehicle/vehicle_support.h"

namespace {

using ObjectTest = OneVehicleTest;

// At 1 unit = 1 cm; values out of range are clamped, non-numbers take the defaults.
TEST_F(ObjectTest, SimulationParametersInSceneUnitsAndClamped) {
    const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
    const struct { ParamID id; float value; float VehicleState::*field; float expected; } floats[] = {
        {kVehicleAcceleration, 5, &VehicleState::accelRate, 500},   {kVehicleMaxSpeed, 100, &VehicleState::maxSpeed, 2777.7778f},
        {kVehicleManeuverable, 15, &VehicleState::turnSpeed, 416.66667f}, {kVehicleLength, 460, &VehicleState::halfLength, 230},
        {kVehicleWidth, 0, &VehicleState::halfWidth, 0.0001f * 0.5f}, {kVehicleRigidity, -5, &VehicleState::rigidity, 0.0001f},
        {kVehicleLength, 1e9f, &VehicleState::halfLength, 50000},     {kVehicleLength, nan, &VehicleState::halfLength, 230},
        {kVehicleMaxSpeed, -inf, &VehicleState::maxSpeed, 100 / 0.036f},
    };
    for (const auto& c : floats) {
        vehicle->GetParamBlock(0)->SetValue(c.id, 0, c.value);
        vehicle->UpdateSimParams();
        EXPECT_FLOAT_EQ(s.*c.field, c.expected) << c.id << " " << c.value;
    }
    const struct { ParamID id; int value, axles, type; } ints[] = {
        {kVehicleWheelCount, 7, 3, 0}, {kVehicleWheelCount, -2, 0, 0}, {kVehicleType, 5, 0, 2}, {kVehicleType, -1, 0, 0}};
    for (const auto& c : ints) {
        vehicle->GetParamBlock(0)->SetValue(c.id, 0, c.value);
        vehicle->UpdateSimParams();
        EXPECT_EQ(std::make_pair(s.axleCount, s.type), std::make_pair(c.axles, c.type));
    }
}

// A 40 by 100 by 30 vehicle at (200, 100), its predicted path straight ahead to y = 800.
class DrawTest : public OneVehicleTest {
protected:
    void SetUp() override {
        OneVehicleTest::SetUp();
        vehicle->SetSize({-40, 100, 30});
        vehicleNode->SetNodeTM(0, TransMatrix({200, 100, 0}));
        vehicle->ObjectValidity(0);
        for (int k = 0; k < 8; ++k) vehicle->State().zones[k].tm = TransMatrix({200, 100 + 100.0f * k, 0});
    }
    IPoint2 Pixel(float x, float y) const { return ::Pixel(view, x, y); }
    int Pick(float x, float y) {
        IPoint2 p = Pixel(x, y);
        return vehicle->HitTest(0, vehicleNode, HITTYPE_POINT, 0, 0, &p, &view);
    }
    Box3 WorldBox() {
        Box3 box;
        vehicle->GetWorldBoundBox(0, vehicleNode, &view, box);
        return box;
    }
    ViewExp view;
};

using Line = std::vector<Point3>;

// Edges and chevron in the wire colour; tracing adds the plan's run, the rear half when reversing.
TEST_F(DrawTest, DrawingPickingAndBoxes) {
    vehicleNode->SetWireColor(0x00336699);
    const auto& r = view.getGW()->Records();
    EXPECT_EQ(vehicle->Display(0, vehicleNode, &view, 0), 0);
    ASSERT_EQ(r.size(), 14u);
    EXPECT_EQ(std::make_pair(r[6].points, r[13].points), std::make_pair(Line{{220, 150, 30}, {180, 150, 30}}, Line{{188, 100, 0}, {200, 112, 0}}));
    EXPECT_EQ(r[0].color, Point3(0x99 / 255.0f, 0x66 / 255.0f, 0x33 / 255.0f));
    view.getGW()->ClearRecords();
    vehicle->State().halfWidth = 20;
    vehicle->State().halfLength = 50;
    // 3 pixels off the right side; inside the box, off every line; on the plan, which is not drawn.
    EXPECT_EQ(std::make_tuple(Pick(223, 80), Pick(200, 70), Pick(180, 500)), std::make_tuple(1, 0, 0));
    EXPECT_EQ(std::make_pair(WorldBox().pmin, WorldBox().pmax), std::make_pair(Point3(180, 50, 0), Point3(220, 150, 30)));
    SetTracing(1);
    const int picked = Pick(180, 500);  // before the hits are read
    EXPECT_EQ(std::make_tuple(picked, WorldBox().pmax, view.Hits().size() == 2u && view.Hits()[0].distance == 3u, r.empty()),
              std::make_tuple(1, Point3(220, 800, 30), true, true));
    Box3 local;
    Matrix3 ignored = TransMatrix({1000, 0, 0});
    vehicle->GetDeformBBox(0, local, &ignored, false);
    EXPECT_EQ(std::make_pair(local.pmin, local.pmax), std::make_pair(Point3(-20, -50, 0), Point3(20, 50, 30)));
    vehicle->State().reverse = 1;
    GetCOREInterface()->SelectNode(vehicleNode, 0);
    vehicle->Display(0, vehicleNode, &view, 0);
    ASSERT_EQ(r.size(), 31u);
    EXPECT_EQ(view.getGW()->SegmentRuns(), 2);
    EXPECT_EQ(std::make_pair(r[0].color, r[14].color), std::make_pair(Point3(1, 1, 1), Point3(0, 1, 0)));
    EXPECT_EQ(std::make_pair(r[14].points, r[15].points), std::make_pair(Line{{180, 100, 0}, {180, 200, 0}}, Line{{220, 100, 0}, {220, 200, 0}}));
    EXPECT_EQ(r[29].points, (Line{{180, 750, 0}, {220, 750, 0}}));
}

// Click the centre, drag half width and length; no extent aborts. Clones have no motion.
TEST_F(DrawTest, CreationByDraggingAndClonesWithoutMotion) {
    VehicleObject* made = MakeVehicle();
    CreateMouseCallBack* cb = made->GetCreateMouseCallBack();
    Matrix3 mat;
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 0, 0, Pixel(10, 20), mat), CREATE_CONTINUE);
    EXPECT_EQ(cb->proc(&view, MOUSE_MOVE, 1, 0, Pixel(0, 60), mat), CREATE_CONTINUE);
    EXPECT_EQ(made->GetSize(), Point3(20, 80, 10));
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(10, 60), mat), CREATE_ABORT);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(40, 20), mat), CREATE_ABORT);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(40, 70), mat), CREATE_STOP);
    EXPECT_EQ(std::make_pair(made->GetSize(), mat), std::make_pair(Point3(60, 100, 30), TransMatrix({10, 20, 0})));
    made->DeleteThis();
    EXPECT_EQ(cb->proc(&view, MOUSE_MOVE, 1, 0, Pixel(0, 0), mat), CREATE_CONTINUE) << "forgotten object";
    vehicle->State().record.Start(2, vehicle->State());
    AppendSnapshot(vehicle->State());
    RemapDir remap;
    auto* copy = static_cast<VehicleObject*>(vehicle->Clone(remap));
    EXPECT_EQ(std::make_tuple(copy->GetParamBlock(0) != vehicle->GetParamBlock(0), copy->GetSize(), vehicle->State().HasRecord(),
                              copy->State().HasRecord()), std::make_tuple(true, Point3(40, 100, 30), true, false));
    copy->DeleteThis();
}

}  // namespace
