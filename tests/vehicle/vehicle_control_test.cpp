// The vehicle controller: its descriptor and block, and what it gives its node with no vehicle,
// a node that is not a vehicle, a vehicle at rest, live, recorded, and linked into loops.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "module/entry_points.h"
#include "host/spline_shape.h"
#include "resources/resource.h"
#include "tests/vehicle/vehicle_support.h"
#include "vehicle/vehicle_control.h"

namespace {

class ControlTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        vehicle = MakeVehicle();
        SetWheels(vehicle, 2);
        vehicleNode = PlaceVehicle(vehicle, RotateZMatrix(1.0f) * TransMatrix({300, -100, 0}));
    }
    static VehicleControl* MakeControl() {
        return static_cast<VehicleControl*>(static_cast<Control*>(GetVehicleControlDesc()->Create(FALSE)));
    }
    // A part node under the root whose transform comes from a new controller.
    INode* PartNode(INode* follows, int part, const Matrix3& offset, INode* parent = nullptr) {
        INode* node = GetCOREInterface()->CreateObjectNode(nullptr, parent);
        VehicleControl* control = MakeControl();
        control->SetParams(follows, part, offset);
        node->SetTMController(control);
        return node;
    }
    // What the controller writes over a sentinel value and validity.
    static std::pair<Matrix3, Interval> Evaluate(INode* node, TimeValue t) {
        Matrix3 value = ScaleMatrix({7, 7, 7});
        Interval valid(-5, 5);
        static_cast<VehicleControl*>(node->GetTMController())->EvaluateTM(t, &value, valid, CTRL_ABSOLUTE);
        return {value, valid};
    }
    static void ExpectUnchanged(const std::pair<Matrix3, Interval>& r) {
        EXPECT_EQ(r.first, ScaleMatrix({7, 7, 7}));
        EXPECT_EQ(r.second, Interval(-5, 5));
    }
    VehicleObject* vehicle = nullptr;
    INode* vehicleNode = nullptr;
    const Matrix3 offset = TransMatrix({0, 0, 5});
};

TEST_F(ControlTest, DescriptorAndBlock) {
    ClassDesc2* desc = static_cast<ClassDesc2*>(GetVehicleControlDesc());
    EXPECT_EQ(LibClassDesc(8), desc);
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(std::wstring(desc->ClassName()), L"Marlovan2");
    EXPECT_EQ(std::wstring(desc->Category()), L"");
    EXPECT_EQ(desc->SuperClassID(), 0x9008u);
    EXPECT_EQ(desc->ClassID(), Class_ID(0x23E55012, 0x7B31568F));
    const ParamBlockDesc2* block = desc->GetParamBlockDesc(0);
    EXPECT_EQ(block->DialogId(), IDD_VEHICLE_CONTROL_PARAM);
    const wchar_t* names[] = {L"Vehicle_Node", L"Object_Num", L"Object_Position"};
    const ParamType2 types[] = {TYPE_INODE, TYPE_INT, TYPE_MATRIX3};
    ASSERT_EQ(block->Count(), 3);
    for (ParamID id = 0; id < 3; ++id) {
        EXPECT_EQ(block->FindParam(id)->internalName, names[id]);
        EXPECT_EQ(block->FindParam(id)->type, types[id]);
        EXPECT_TRUE(block->FindParam(id)->options.empty());
    }
    VehicleControl* c = MakeControl();
    c->SetParams(vehicleNode, 4, offset);
    EXPECT_EQ(c->GetVehicleNode(), vehicleNode);
    EXPECT_EQ(c->GetParamBlock(0)->GetInt(kControlObjectNum), 4);
    EXPECT_EQ(c->GetParamBlock(0)->GetMatrix3(kControlObjectPosition), offset);
    c->SetVehicleNode(nullptr);
    EXPECT_EQ(c->GetVehicleNode(), nullptr);
    RemapDir remap;
    auto* copy = static_cast<VehicleControl*>(c->Clone(remap));
    EXPECT_NE(copy->GetParamBlock(0), c->GetParamBlock(0));
    EXPECT_EQ(copy->GetParamBlock(0)->GetInt(kControlObjectNum), 4);
    ISave save;
    EXPECT_EQ(c->Save(&save), IO_OK);
    EXPECT_TRUE(save.Bytes().empty());
    copy->DeleteThis();
    c->DeleteThis();
}

TEST_F(ControlTest, NoVehicleLeavesTheValueUnchanged) {
    ExpectUnchanged(Evaluate(PartNode(nullptr, 0, offset), 0));
    INode* plain = GetCOREInterface()->CreateObjectNode(nullptr);
    ExpectUnchanged(Evaluate(PartNode(plain, 0, offset), 0));
    INode* notVehicle = GetCOREInterface()->CreateObjectNode(new SplineShape);
    ExpectUnchanged(Evaluate(PartNode(notVehicle, 1, offset), 0));
    for (int part : {-1, 7})
        ExpectUnchanged(Evaluate(PartNode(vehicleNode, part, offset), 0));
}

// At rest: the offset, the wheel's rest place, then the vehicle node's transform at t.
TEST_F(ControlTest, RestPoseIsPlacedByTheVehicleNode) {
    const Matrix3 n = vehicleNode->GetNodeTM(0);
    auto [body, valid] = Evaluate(PartNode(vehicleNode, 0, offset), 320);
    ExpectMatrixNear(body, offset * n);
    EXPECT_EQ(valid, Interval(320, 320));
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 2, offset), 0).first, offset * TransMatrix({70, 120, 30}) * n);
    // The controller refreshes the vehicle from its block first.
    vehicle->SetWheelTables({50, 10, 0}, {1, 2, 3}, 0);
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 1, offset), 0).first, offset * TransMatrix({-50, 10, 0}) * n);
    INode* wheel = PartNode(vehicleNode, 1, Matrix3());
    ExpectMatrixNear(wheel->GetNodeTM(0), TransMatrix({-50, 10, 0}) * n);
}

// Live and recorded parts are world transforms: the vehicle node moves nothing, even while
// tracing before the record has a sample.
TEST_F(ControlTest, LiveAndRecordedPartsIgnoreTheVehicleNode) {
    VehicleState& s = vehicle->State();
    s.springTM = TransMatrix({10, 20, 30});
    s.record.Start(4, s);
    SetTracing(1);
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 0, offset), 0).first, offset * s.springTM);
    VehicleSnapshot snap;
    s.record.Append(s.TakeSnapshot(snap));
    s.time = 160;
    s.springTM = TransMatrix({30, 20, 30});
    s.record.Append(s.TakeSnapshot(snap));
    s.record.Finish();
    SetTracing(0);
    INode* body = PartNode(vehicleNode, 0, offset);
    ExpectMatrixNear(Evaluate(body, 80).first, offset * TransMatrix({20, 20, 30}));
    vehicleNode->SetNodeTM(0, TransMatrix({-999, 0, 0}));
    ExpectMatrixNear(Evaluate(body, 80).first, offset * TransMatrix({20, 20, 30}));
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 4, offset), 160).first,
                     offset * TransMatrix({70, 0, 31}) * TransMatrix({30, 20, 30}));
}

// A vehicle node linked under its own body asks the body's controller again while that one
// evaluates; a controller on the vehicle node that follows its own node asks itself. Both give
// up on re-entry instead of recursing.
TEST_F(ControlTest, LoopsThroughTheVehicleNodeEndWithoutRecursion) {
    INode* body = PartNode(vehicleNode, 0, offset);
    VehicleObject* looped = MakeVehicle();
    INode* loopedNode = GetCOREInterface()->CreateObjectNode(looped, body);
    VehicleControl* control = static_cast<VehicleControl*>(body->GetTMController());
    control->SetVehicleNode(loopedNode);
    const Matrix3 tm = body->GetNodeTM(0);
    EXPECT_TRUE(std::isfinite(tm[3].x));
    VehicleControl* self = MakeControl();
    self->SetParams(vehicleNode, 0, Matrix3());
    vehicleNode->SetTMController(self);
    Matrix3 value = ScaleMatrix({7, 7, 7});
    Interval valid(-5, 5);
    self->EvaluateTM(0, &value, valid, CTRL_ABSOLUTE);
    EXPECT_EQ(value, Matrix3()) << "the rest pose placed by the node, whose own value was left unchanged";
    EXPECT_EQ(valid, Interval(0, 0));
}

TEST_F(ControlTest, SettingTheValueChangesNothing) {
    INode* body = PartNode(vehicleNode, 0, offset);
    Matrix3 other = TransMatrix({1, 2, 3});
    body->GetTMController()->SetValue(0, &other);
    ExpectMatrixNear(body->GetNodeTM(0), offset * vehicleNode->GetNodeTM(0));
}

}  // namespace
