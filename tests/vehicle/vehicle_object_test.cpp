// The vehicle object: its descriptor and block, setters and presets, the conversion of its
// parameters into the state, drawing, picking, boxes, creation by dragging, clones and editing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "host/create_mouse.h"
#include "host/viewport.h"
#include "module/entry_points.h"
#include "resources/resource.h"
#include "tests/vehicle/vehicle_support.h"

namespace {

ClassDesc2* Desc() { return static_cast<ClassDesc2*>(GetVehicleDesc()); }
ParamBlockDesc2* Block() { return Desc()->GetParamBlockDesc(0); }

using ObjectTest = VehicleTest;

TEST_F(ObjectTest, DescriptorIsRegisteredButNotPublic) {
    EXPECT_EQ(LibClassDesc(7), GetVehicleDesc());
    EXPECT_EQ(Desc()->IsPublic(), 0);
    EXPECT_EQ(std::wstring(Desc()->ClassName()), L"Vehicle");
    EXPECT_EQ(std::wstring(Desc()->InternalName()), L"Vehicle");
    EXPECT_EQ(std::wstring(Desc()->Category()), L"Marlovan2");
    EXPECT_EQ(Desc()->SuperClassID(), 0x50u);
    VehicleObject* v = MakeVehicle();
    EXPECT_EQ(v->ClassID(), Class_ID(0x7CF67ED1, 0x1B6C2182));
    std::wstring name;
    v->InitNodeName(name);
    EXPECT_EQ(name, L"Vehicle");
    EXPECT_EQ(v->GetParamBlockByID(0), v->GetParamBlock(0));
    EXPECT_EQ(v->GetParamBlockByID(1), nullptr);
    v->DeleteThis();
}

TEST_F(ObjectTest, BlockParametersDefaultsRangesAndControls) {
    VehicleObject* v = MakeVehicle();
    const struct {
        const wchar_t* name;
        ParamType2 type;
        int localName;
        double value, high;
        std::vector<double> ui;
    } params[] = {
        {L"Lenght", TYPE_WORLD, 11, 460, 1e5, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1168, 1169, -1}},
        {L"Width", TYPE_WORLD, 12, 180, 1e5, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1170, 1171, -1}},
        {L"Height", TYPE_WORLD, 13, 145, 1e5, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1172, 1173, -1}},
        {L"Acceleration", TYPE_FLOAT, 20, 5, 1e6, {TYPE_SPINNER, EDITTYPE_FLOAT, 1174, 1175, -1}},
        {L"Maneuverable", TYPE_FLOAT, 22, 15, 1e6, {TYPE_SPINNER, EDITTYPE_FLOAT, 1176, 1177, -1}},
        {L"Max_Speed", TYPE_FLOAT, 28, 100, 1e6, {TYPE_SPINNER, EDITTYPE_FLOAT, 1178, 1179, -1}},
        {L"Rigidity", TYPE_FLOAT, 24, 300, 1e6, {TYPE_SPINNER, EDITTYPE_FLOAT, 1180, 1181, -1}},
        {L"Type", TYPE_INT, 26, 0, 2, {TYPE_RADIO, 3, 1182, 1183, 1184}},
        {L"Wheel_Count", TYPE_INT, 0, 0, 0, {}},
        {L"Wheel_Size", TYPE_POINT3, 0, 0, 0, {}},
        {L"Wheel_Pos", TYPE_POINT3, 0, 0, 0, {}},
        {L"Stop_Time", TYPE_FLOAT, 0, 10, 1e6, {TYPE_SPINNER, EDITTYPE_FLOAT, 1191, 1192, -1}},
    };
    ASSERT_EQ(Block()->Count(), 12);
    EXPECT_EQ(Block()->DialogId(), IDD_VEHICLE_PARAM);
    EXPECT_EQ(Block()->TitleId(), IDS_PARAMETERS);
    for (ParamID id = 0; id < 12; ++id) {
        const ParamDef& def = *Block()->FindParam(id);
        const auto& p = params[id];
        EXPECT_EQ(def.internalName, p.name);
        EXPECT_EQ(def.type, p.type) << id;
        EXPECT_EQ(def.localNameId, p.localName) << id;
        EXPECT_EQ(def.flags & P_ANIMATABLE, 0) << id;
        if (p.type == TYPE_INT) {
            EXPECT_EQ(v->GetParamBlock(0)->GetInt(id), p.value) << id;
        } else if (p.type != TYPE_POINT3) {
            EXPECT_EQ(v->GetParamBlock(0)->GetFloat(id), p.value) << id;
            EXPECT_EQ(def.rangeLow, static_cast<double>(0.0001f)) << id;
            EXPECT_EQ(def.rangeHigh, p.high) << id;
        }
        EXPECT_EQ(def.options.empty(), p.ui.empty()) << id;
        if (!p.ui.empty()) {
            EXPECT_EQ(def.options[0], (ParamOptionRecord{p_ui, p.ui})) << id;
        }
    }
    EXPECT_EQ(v->GetParamBlock(0)->Count(kVehicleWheelPos), 3);
    v->DeleteThis();
}

TEST_F(ObjectTest, SettersPresetsAndSizes) {
    VehicleObject* v = MakeVehicle();
    IParamBlock2* pb = v->GetParamBlock(0);
    v->SetSize({-300, 700, -150});
    EXPECT_EQ(v->GetSize(), Point3(300, 700, 150));
    for (const auto& [type, maxSpeed, stopTime] : {std::tuple{0, 200.0f, 60.0f}, {1, 100.0f, 10.0f}, {2, 100.0f, 10.0f}}) {
        v->SetType(type);
        EXPECT_EQ(pb->GetInt(kVehicleType), type);
        EXPECT_EQ(pb->GetFloat(kVehicleMaxSpeed), maxSpeed);
        EXPECT_EQ(pb->GetFloat(kVehicleStopTime), stopTime);
        EXPECT_EQ(pb->GetFloat(kVehicleRigidity), 200.0f);
        EXPECT_EQ(pb->GetFloat(kVehicleManeuverable), 15.0f);
        EXPECT_EQ(pb->GetFloat(kVehicleAcceleration), 3.0f);
    }
    v->SetWheelTables({1, 2, 3}, {4, 5, 6}, 2);
    EXPECT_EQ(pb->GetPoint3(kVehicleWheelPos, 0, 2), Point3(1, 2, 3));
    EXPECT_EQ(pb->GetPoint3(kVehicleWheelSize, 0, 2), Point3(4, 5, 6));
    v->DeleteThis();
}

// Defaults at 1 unit = 1 cm: 5 m/s² is 500 units/s², 100 km/h about 2777.8 units/s.
TEST_F(ObjectTest, SimulationParametersInSceneUnits) {
    VehicleObject* v = MakeVehicle();
    SetWheels(v, 3);
    const VehicleState& s = v->State();
    EXPECT_EQ(s.halfLength, 230.0f);
    EXPECT_EQ(s.halfWidth, 90.0f);
    EXPECT_EQ(s.height, 145.0f);
    EXPECT_FLOAT_EQ(s.accelRate, 500.0f);
    EXPECT_FLOAT_EQ(s.maxSpeed, 2777.7778f);
    EXPECT_FLOAT_EQ(s.turnSpeed, 416.66667f);
    EXPECT_EQ(s.rigidity, 300.0f);
    EXPECT_EQ(s.stopTime, 10.0f);
    EXPECT_EQ(s.axleCount, 3);
    EXPECT_EQ(s.wheelPos[2], Point3(70, -80, 32));
    EXPECT_EQ(s.wheelSize[1], Point3(20, 32, 0));
    EXPECT_EQ(s.pivot, -40.0f);
    EXPECT_EQ(s.wheelbase, 160.0f);
    SetSceneUnitMetres(1.0);
    v->UpdateSimParams();
    EXPECT_FLOAT_EQ(v->State().accelRate, 5.0f);
    EXPECT_FLOAT_EQ(v->State().maxSpeed, 27.777778f);
    v->DeleteThis();
}

// Values the roll-up would never allow, from scene files, SetSize or set-up, are clamped into
// their ranges; values that are not numbers take the defaults.
TEST_F(ObjectTest, OutOfRangeParametersAreClampedOrDefaulted) {
    const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* what;
        ParamID id;
        float value;
        float VehicleState::*field;
        float expected;
    } floats[] = {
        {"zero width", kVehicleWidth, 0, &VehicleState::halfWidth, 0.0001f * 0.5f},
        {"negative rigidity", kVehicleRigidity, -5, &VehicleState::rigidity, 0.0001f},
        {"huge length", kVehicleLength, 1e9f, &VehicleState::halfLength, 50000},
        {"length not a number", kVehicleLength, nan, &VehicleState::halfLength, 230},
        {"infinite height", kVehicleHeight, inf, &VehicleState::height, 145},
        {"negative stop time", kVehicleStopTime, -1, &VehicleState::stopTime, 0.0001f},
        {"infinite speed", kVehicleMaxSpeed, -inf, &VehicleState::maxSpeed, 100 / 0.036f},
    };
    for (const auto& c : floats) {
        VehicleObject* v = MakeVehicle();
        v->GetParamBlock(0)->SetValue(c.id, 0, c.value);
        v->UpdateSimParams();
        EXPECT_FLOAT_EQ(v->State().*c.field, c.expected) << c.what;
        v->DeleteThis();
    }
    const struct {
        ParamID id;
        int value, axles, type;
    } ints[] = {{kVehicleWheelCount, 7, 3, 0}, {kVehicleWheelCount, -2, 0, 0}, {kVehicleType, 5, 0, 2},
                {kVehicleType, -1, 0, 0}};
    for (const auto& c : ints) {
        VehicleObject* v = MakeVehicle();
        v->GetParamBlock(0)->SetValue(c.id, 0, c.value);
        v->UpdateSimParams();
        EXPECT_EQ(v->State().axleCount, c.axles) << c.id << " " << c.value;
        EXPECT_EQ(v->State().type, c.type) << c.id << " " << c.value;
        v->DeleteThis();
    }
}

class DrawTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        vehicle = MakeVehicle();
        vehicle->SetSize({40, 100, 30});
        node = PlaceVehicle(vehicle, TransMatrix({200, 100, 0}));
        vehicle->ObjectValidity(0);
    }
    const std::vector<DrawRecord>& Draw() {
        view.getGW()->ClearRecords();
        EXPECT_EQ(vehicle->Display(0, node, &view, 0), 0);
        return view.getGW()->Records();
    }
    IPoint2 Pixel(float x, float y) const {
        const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
        return {static_cast<int>(s.x), static_cast<int>(s.y)};
    }
    int Pick(float x, float y) {
        IPoint2 p = Pixel(x, y);
        return vehicle->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view);
    }
    // A predicted path from the vehicle straight ahead to y = 800.
    void SetPlan() {
        VehicleState& s = vehicle->State();
        for (int k = 0; k < 8; ++k) s.zones[k].tm = TransMatrix({200, 100 + 100.0f * k, 0});
    }
    VehicleObject* vehicle = nullptr;
    INode* node = nullptr;
    ViewExp view;
};

TEST_F(DrawTest, FreshObjectDrawsADegenerateBox) {
    VehicleObject* fresh = MakeVehicle();
    Box3 box;
    fresh->GetLocalBoundBox(0, nullptr, nullptr, box);
    EXPECT_EQ(box.pmin, Point3());
    EXPECT_EQ(box.pmax, Point3());
    fresh->DeleteThis();
}

TEST_F(DrawTest, BoxAndChevronInWorldSpace) {
    node->SetWireColor(0x00336699);
    const std::vector<DrawRecord>& r = Draw();
    ASSERT_EQ(r.size(), 14u);
    EXPECT_EQ(view.getGW()->SegmentRuns(), 1);
    EXPECT_EQ(r[0].points, (std::vector<Point3>{{180, 50, 0}, {220, 50, 0}}));
    EXPECT_EQ(r[6].points, (std::vector<Point3>{{220, 150, 30}, {180, 150, 30}}));
    EXPECT_EQ(r[8].points, (std::vector<Point3>{{180, 50, 0}, {180, 50, 30}}));
    EXPECT_EQ(r[12].points, (std::vector<Point3>{{212, 100, 0}, {200, 112, 0}}));
    EXPECT_EQ(r[13].points, (std::vector<Point3>{{188, 100, 0}, {200, 112, 0}}));
    for (const DrawRecord& d : r) EXPECT_EQ(d.color, Point3(0x99 / 255.0f, 0x66 / 255.0f, 0x33 / 255.0f));
    node->SetSelected(true);
    EXPECT_EQ(Draw()[0].color, Point3(1, 1, 1));
}

TEST_F(DrawTest, WhileTracingThePlanIsDrawnInWorldSpaceAsASecondBatch) {
    SetPlan();
    vehicle->State().halfWidth = 20;
    vehicle->State().halfLength = 50;
    SetTracing(1);
    const std::vector<DrawRecord>& r = Draw();
    ASSERT_EQ(r.size(), 31u);
    EXPECT_EQ(view.getGW()->SegmentRuns(), 2);
    EXPECT_EQ(r[14].points, (std::vector<Point3>{{180, 100, 0}, {180, 200, 0}}));
    EXPECT_EQ(r[14].color, Point3(0, 1, 0));
    EXPECT_EQ(r[30].points, (std::vector<Point3>{{220, 800, 0}, {220, 850, 0}}));
}

TEST_F(DrawTest, PickingHitsTheLinesAndWhileTracingThePlan) {
    SetPlan();
    vehicle->State().halfWidth = 20;
    EXPECT_EQ(Pick(223, 80), 1) << "3 pixels off the right side";
    EXPECT_EQ(Pick(200, 70), 0) << "inside the box, off every line";
    EXPECT_EQ(Pick(180, 500), 0) << "the plan is not drawn";
    SetTracing(1);
    EXPECT_EQ(Pick(180, 500), 1);
    ASSERT_EQ(view.Hits().size(), 2u);
    EXPECT_EQ(view.Hits()[0].node, node);
    EXPECT_EQ(view.Hits()[0].distance, 3u);
    EXPECT_TRUE(view.getGW()->Records().empty());
    EXPECT_EQ(view.getGW()->getRndLimits(), GW_ILLUM);
}

TEST_F(DrawTest, BoxesLocalDeformAndWorldWithThePlanWhileTracing) {
    Box3 box;
    vehicle->GetLocalBoundBox(0, node, &view, box);
    EXPECT_EQ(box.pmin, Point3(-20, -50, 0));
    EXPECT_EQ(box.pmax, Point3(20, 50, 30));
    Matrix3 ignored = TransMatrix({1000, 0, 0});
    vehicle->GetDeformBBox(0, box, &ignored, false);
    EXPECT_EQ(box.pmax, Point3(20, 50, 30));
    vehicle->GetWorldBoundBox(0, node, &view, box);
    EXPECT_EQ(box.pmin, Point3(180, 50, 0));
    EXPECT_EQ(box.pmax, Point3(220, 150, 30));
    SetPlan();
    SetTracing(1);
    vehicle->GetWorldBoundBox(0, node, &view, box);
    EXPECT_EQ(box.pmax, Point3(220, 800, 30));
}

TEST_F(DrawTest, CreationByDragging) {
    VehicleObject* made = MakeVehicle();
    CreateMouseCallBack* cb = made->GetCreateMouseCallBack();
    Matrix3 mat;
    const int refreshes = Block()->UIRefreshCount();
    EXPECT_EQ(cb->proc(&view, MOUSE_FREEMOVE, 0, 0, Pixel(10, 20), mat), CREATE_CONTINUE);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 0, 0, Pixel(10, 20), mat), CREATE_CONTINUE);
    EXPECT_EQ(mat, TransMatrix({10, 20, 0}));
    EXPECT_EQ(cb->proc(&view, MOUSE_MOVE, 1, 0, Pixel(0, 60), mat), CREATE_CONTINUE);
    EXPECT_EQ(made->GetSize(), Point3(20, 80, 10));
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(10, 60), mat), CREATE_ABORT) << "no width";
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(40, 20), mat), CREATE_ABORT) << "no length";
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(40, 70), mat), CREATE_STOP);
    EXPECT_EQ(made->GetSize(), Point3(60, 100, 30));
    EXPECT_EQ(mat, TransMatrix({10, 20, 0}));
    EXPECT_EQ(Block()->UIRefreshCount(), refreshes + 4);
    EXPECT_EQ(cb->proc(&view, MOUSE_ABORT, 1, 0, Pixel(0, 0), mat), CREATE_ABORT);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 2, 0, Pixel(0, 0), mat), CREATE_CONTINUE);
    made->DeleteThis();
    EXPECT_EQ(cb->proc(&view, MOUSE_MOVE, 1, 0, Pixel(0, 0), mat), CREATE_CONTINUE) << "forgotten object";
}

TEST_F(DrawTest, CloneCopiesParametersButNoMotion) {
    vehicle->State().record.Start(2, vehicle->State());
    VehicleSnapshot snap;
    vehicle->State().record.Append(vehicle->State().TakeSnapshot(snap));
    ASSERT_TRUE(vehicle->State().HasRecord());
    RemapDir remap;
    auto* copy = static_cast<VehicleObject*>(vehicle->Clone(remap));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetParamBlock(0), vehicle->GetParamBlock(0));
    EXPECT_EQ(copy->GetSize(), Point3(40, 100, 30));
    EXPECT_FALSE(copy->State().HasRecord());
    copy->DeleteThis();
}

TEST_F(DrawTest, EditingOpensTheRollupWithItsDialogProcedure) {
    vehicle->BeginEditParams(static_cast<IObjParam*>(GetCOREInterface()), 0, nullptr);
    ASSERT_EQ(OpenRollups().size(), 1u);
    EXPECT_EQ(OpenRollups()[0].dialogId, IDD_VEHICLE_PARAM);
    EXPECT_EQ(OpenRollups()[0].block, vehicle->GetParamBlock(0));
    ASSERT_NE(Block()->GetUserDlgProc(), nullptr);
    EXPECT_EQ(VehicleBeingEdited(), vehicle);
    EXPECT_EQ(Block()->GetUserDlgProc()->DlgProc(0, nullptr, nullptr, 0x110, 0, 0), 0);
    vehicle->EndEditParams(static_cast<IObjParam*>(GetCOREInterface()), 0, nullptr);
    EXPECT_TRUE(OpenRollups().empty());
}

}  // namespace
