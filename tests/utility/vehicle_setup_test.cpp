#include <algorithm>
#include <array>
#include <random>

#include "tests/utility/vehicle_tools_support.h"
#include "utility/vehicle_setup.h"

namespace {

using VehicleSetupTest = VehicleToolsTest;

// Whatever the selection order: numbers, sizes, wheel tables, and every part resting where it
// stood (out-of-line wheels rest with their centres on the axle's nominal points).
TEST_F(VehicleSetupTest, BuildsEveryLayoutInAnySelectionOrder) {
    for (const Layout& l : Layouts())
        for (unsigned seed = 0; seed < 5; ++seed) {
            SCOPED_TRACE(testing::Message() << l.name << ", seed " << seed);
            SetUp();
            const std::vector<INode*> nodes = Build(l);
            std::vector<Matrix3> before;
            for (INode* n : nodes) before.push_back(n->GetNodeTM(0));
            std::vector<INode*> order = nodes;
            std::shuffle(order.begin(), order.end(), std::mt19937(seed));
            Select(order);
            VehicleSetup(panel);

            ASSERT_EQ(VehicleNodes().size(), 1u);
            INode* vehicleNode = VehicleNodes()[0];
            auto* vehicle = static_cast<VehicleObject*>(vehicleNode->GetObjectRef());
            const Matrix3 frame = vehicleNode->GetNodeTM(0);
            EXPECT_EQ(frame, TransMatrix({l.bodyBase.x, l.bodyBase.y, 0}));
            ExpectNear(vehicle->GetSize(), l.size);
            IParamBlock2* pb = vehicle->GetParamBlock(0);
            ASSERT_EQ(pb->GetInt(kVehicleWheelCount), static_cast<int>(l.axles.size()));
            for (int k = 0; k < static_cast<int>(l.axles.size()); ++k) {
                ExpectNear(pb->GetPoint3(kVehicleWheelPos, 0, k), l.axles[static_cast<std::size_t>(k)]);
                ExpectNear(pb->GetPoint3(kVehicleWheelSize, 0, k), l.wheelSize * 0.5f);
            }
            ASSERT_EQ(PartsOf(vehicleNode).size(), nodes.size());
            EXPECT_EQ(PartOf(nodes[0]), 0);
            ExpectNear(nodes[0]->GetNodeTM(0), before[0]);
            EXPECT_FALSE(nodes[0]->Selected());
            for (std::size_t i = 1; i < nodes.size(); ++i) {
                const WheelSpot& w = l.wheels[i - 1];
                EXPECT_EQ(PartOf(nodes[i]), w.part);
                EXPECT_TRUE(nodes[i]->Selected());
                const Matrix3 rest = nodes[i]->GetNodeTM(0);
                for (int r = 0; r < 3; ++r) ExpectNear(rest[r], before[i][r]);
                const Point3 axle = l.axles[static_cast<std::size_t>((w.part - 1) / 2)];
                const Point3 nominal(w.part % 2 == 1 ? -axle.x : axle.x, axle.y, axle.z);
                ExpectNear(rest.GetTrans(), nominal * frame);
                if (l.restsWhereItStood) ExpectNear(rest, before[i]);
            }
        }
}

// Set-up measures first: any refusal leaves the scene, the controllers and the selection alone.
TEST_F(VehicleSetupTest, RefusalsShowAnErrorAndChangeNothing) {
    const wchar_t* count = L"You have to select 5 objects for 4wheels vehicle,\nor 7 object for 6wheels vehicle";
    const struct {
        int selected;
        bool emptyObjects, classesMissing;
        const wchar_t* message;
    } cases[] = {
        {0, false, false, count},
        {1, false, false, count},
        {4, false, false, count},
        {6, false, false, count},
        {8, false, false, count},
        {5, true, false, L"None of the selected objects has a size: there is no body to measure."},
        {5, false, true, L"The vehicle could not be made: its classes are not available."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << " selected");
        SetUp();
        if (c.classesMissing) HostSetClasses({});
        std::vector<INode*> nodes = Build(Layouts()[2]);
        nodes.push_back(AddBox({1, 1, 1}, Matrix3(), false));
        if (c.emptyObjects)
            for (INode* n : nodes) static_cast<TriObject*>(n->GetObjectRef())->mesh.verts.clear();
        nodes.resize(static_cast<std::size_t>(c.selected));
        Select(nodes);
        const int before = NodeCount();
        VehicleSetup(panel);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.message);
        EXPECT_EQ(messages[0].caption, L"Error");
        EXPECT_EQ(messages[0].owner, panel.motionWindow);
        EXPECT_EQ(messages[0].type, MB_OK);
        EXPECT_EQ(NodeCount(), before);
        EXPECT_EQ(GetCOREInterface()->GetSelNodeCount(), c.selected);
        for (INode* n : nodes) EXPECT_EQ(ControlOf(n), nullptr);
    }
}

TEST_F(VehicleSetupTest, TypePresets) {
    const struct {
        int type;
        float maxSpeed, stopTime;
    } cases[] = {{0, 200, 60}, {1, 100, 10}, {2, 100, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        SetUp();
        Select(Build(Layouts()[0]));
        panel.vehicleType = c.type;
        VehicleSetup(panel);
        ASSERT_EQ(VehicleNodes().size(), 1u);
        auto* vehicle = static_cast<VehicleObject*>(VehicleNodes()[0]->GetObjectRef());
        const IParamBlock2* pb = vehicle->GetParamBlock(0);
        EXPECT_EQ(pb->GetInt(kVehicleType), c.type);
        EXPECT_EQ(vehicle->State().type, c.type) << "the state takes the parameters at once";
        const std::array<float, 5> presets{pb->GetFloat(kVehicleMaxSpeed), pb->GetFloat(kVehicleStopTime),
                                           pb->GetFloat(kVehicleRigidity), pb->GetFloat(kVehicleManeuverable),
                                           pb->GetFloat(kVehicleAcceleration)};
        EXPECT_EQ(presets, (std::array<float, 5>{c.maxSpeed, c.stopTime, 200, 15, 3}));
    }
}

}  // namespace
