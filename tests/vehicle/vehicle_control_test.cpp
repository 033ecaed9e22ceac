// The vehicle controller with no vehicle, a non-vehicle, at rest, live, recorded, and in loops.

#include <cmath>

#include "host/spline_shape.h"
#include "tests/vehicle/vehicle_support.h"
#include "vehicle/vehicle_control.h"

namespace {

class ControlTest : public OneVehicleTest {
protected:
    void SetUp() override {
        OneVehicleTest::SetUp();
        vehicleNode->SetNodeTM(0, RotateZMatrix(1.0f) * TransMatrix({300, -100, 0}));
    }
    // A node (a new one unless given) whose transform comes from a new controller following `follows`.
    static INode* PartNode(INode* follows, int part, const Matrix3& offset, INode* node = GetCOREInterface()->CreateObjectNode(nullptr)) {
        auto* control = static_cast<VehicleControl*>(static_cast<Control*>(GetVehicleControlDesc()->Create(FALSE)));
        control->SetParams(follows, part, offset);
        node->SetTMController(control);
        return node;
    }
    // The value over a sentinel, or the sentinel when the controller left it unchanged.
    static Matrix3 Evaluate(INode* node, TimeValue t, bool expectValid = true) {
        Matrix3 value = ScaleMatrix({7, 7, 7});
        Interval valid(-5, 5);
        static_cast<VehicleControl*>(node->GetTMController())->EvaluateTM(t, &value, valid, CTRL_ABSOLUTE);
        EXPECT_EQ(valid, expectValid ? Interval(t, t) : Interval(-5, 5));
        return value;
    }
    const Matrix3 offset = TransMatrix({0, 0, 5});
};

// Also after the vehicle's node was deleted under the controller.
TEST_F(ControlTest, WithoutAVehicleOrPartTheValueIsUnchanged) {
    INode* shape = GetCOREInterface()->CreateObjectNode(new SplineShape);
    INode* gone = GetCOREInterface()->CreateObjectNode(MakeVehicle());
    INode* deleted = PartNode(gone, 0, offset);
    GetCOREInterface()->DeleteNode(gone);
    for (INode* node : {PartNode(nullptr, 0, offset), PartNode(shape, 0, offset), PartNode(vehicleNode, -1, offset),
                        PartNode(vehicleNode, 7, offset), deleted})
        EXPECT_EQ(Evaluate(node, 0, false), ScaleMatrix({7, 7, 7}));
}

// At rest: offset, wheel rest place, then the refreshed vehicle node at t; setting changes nothing.
TEST_F(ControlTest, RestPoseIsPlacedByTheVehicleNode) {
    const Matrix3 n = vehicleNode->GetNodeTM(0);
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 0, offset), 320), offset * n);
    vehicle->SetWheelTables({50, 10, 0}, {1, 2, 3}, 0);
    INode* wheel = PartNode(vehicleNode, 1, offset);
    ExpectMatrixNear(Evaluate(wheel, 0), offset * TransMatrix({-50, 10, 0}) * n);
    Matrix3 other = TransMatrix({1, 2, 3});
    wheel->GetTMController()->SetValue(0, &other);
    ExpectMatrixNear(wheel->GetNodeTM(0), offset * TransMatrix({-50, 10, 0}) * n);
}

// Live and recorded parts are world transforms, also while tracing before the first sample.
TEST_F(ControlTest, LiveAndRecordedPartsIgnoreTheVehicleNode) {
    s.springTM = TransMatrix({10, 20, 30});
    s.record.Start(4, s);
    SetTracing(1);
    INode* body = PartNode(vehicleNode, 0, offset);
    ExpectMatrixNear(Evaluate(body, 0), offset * s.springTM);
    AppendSnapshot(s);
    s.time = 160;
    s.springTM = TransMatrix({30, 20, 30});
    AppendSnapshot(s);
    s.record.Finish();
    SetTracing(0);
    vehicleNode->SetNodeTM(0, TransMatrix({-999, 0, 0}));
    ExpectMatrixNear(Evaluate(body, 80), offset * TransMatrix({20, 20, 30}));
    ExpectMatrixNear(Evaluate(PartNode(vehicleNode, 4, offset), 160),
                     offset * TransMatrix({70, -20, 32}) * TransMatrix({30, 20, 30}));
}

// A vehicle node under its own body, or following itself, gives up on re-entry without recursing.
TEST_F(ControlTest, LoopsThroughTheVehicleNodeEndWithoutRecursion) {
    INode* body = PartNode(vehicleNode, 0, offset);
    INode* linked = GetCOREInterface()->CreateObjectNode(MakeVehicle(), body);
    static_cast<VehicleControl*>(body->GetTMController())->SetVehicleNode(linked);
    EXPECT_TRUE(std::isfinite(body->GetNodeTM(0)[3].x));
    EXPECT_EQ(Evaluate(PartNode(vehicleNode, 0, Matrix3(), vehicleNode), 0), Matrix3()) << "at rest on the node, whose own value stayed the identity";
}

}  // namespace
