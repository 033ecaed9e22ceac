#include <set>

#include "tests/utility/vehicle_tools_support.h"
#include "utility/vehicle_copying.h"
#include "utility/vehicle_enum_proc.h"
#include "utility/vehicle_setup.h"

namespace {

class VehicleCopyingTest : public VehicleToolsTest {
protected:
    // A set-up vehicle of the given layout; "Width" 2, "Lenght" 4.2 afterwards, so that copies
    // step 2.4 sideways or 5.04 along. The vehicle node ends up the only one selected.
    std::vector<INode*> MakeVehicle(const Layout& l, bool linked = false) {
        std::vector<INode*> nodes = Build(l, linked);
        Select(nodes);
        VehicleSetup(panel);
        INode* vehicle = VehicleNodes().at(0);
        static_cast<VehicleObject*>(vehicle->GetObjectRef())->SetSize({2.0f, 4.2f, 1.6f});
        Select({vehicle});
        nodes.insert(nodes.begin(), vehicle);
        return nodes;
    }
};

// Copy k stands k steps away with its own vehicle object and controllers; its parts share the
// objects of the parts they copy and rest k steps away.
TEST_F(VehicleCopyingTest, RowsInEveryDirection) {
    const struct {
        int direction;
        Point3 step;
    } cases[] = {{0, {2.4f, 0, 0}}, {1, {-2.4f, 0, 0}}, {2, {0, -5.04f, 0}}, {3, {0, 5.04f, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        SetUp();
        const std::vector<INode*> original = MakeVehicle(Layouts()[0]);
        panel.copyDirection = c.direction;
        VehicleCopying(panel);
        const std::vector<INode*> vehicles = VehicleNodes();
        ASSERT_EQ(vehicles.size(), 9u);
        EXPECT_EQ(GetCOREInterface()->GetSelNodeCount(), 1);
        for (int k = 1; k < 9; ++k) {
            INode* copy = vehicles[static_cast<std::size_t>(k)];
            EXPECT_EQ(copy->GetName(), L"Vehicle00" + std::to_wstring(k + 1));
            EXPECT_NE(copy->GetObjectRef(), original[0]->GetObjectRef());
            ExpectNear(static_cast<VehicleObject*>(copy->GetObjectRef())->GetSize(), {2.0f, 4.2f, 1.6f});
            const Point3 offset = c.step * static_cast<float>(k);
            ExpectNear(copy->GetNodeTM(0).GetTrans() - original[0]->GetNodeTM(0).GetTrans(), offset, 1e-4f);
            const std::vector<INode*> parts = PartsOf(copy);
            ASSERT_EQ(parts.size(), 5u);
            EXPECT_EQ(std::make_pair(PartOf(parts[0]), parts[0]->GetName()), std::make_pair(0, L"Body00" + std::to_wstring(k)));
            for (INode* part : parts) {
                INode* from = original[static_cast<std::size_t>(PartOf(part)) + 1];
                EXPECT_EQ(part->GetObjectRef(), from->GetObjectRef());
                EXPECT_NE(part->GetTMController(), from->GetTMController());
                ExpectNear(part->GetNodeTM(0), from->GetNodeTM(0) * TransMatrix(offset));
            }
        }
    }
}

// Whatever is skipped, the undo step is still taken and the views redrawn.
TEST_F(VehicleCopyingTest, NothingToCopy) {
    const struct {
        int copies;
        bool selectBody;
    } cases[] = {{1, false}, {0, false}, {-3, false}, {9, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copies);
        SetUp();
        const std::vector<INode*> nodes = MakeVehicle(Layouts()[2]);
        if (c.selectBody) Select({nodes[1]});
        panel.numCopies = c.copies;
        const int before = NodeCount(), redraws = GetCOREInterface()->RedrawCount();
        VehicleCopying(panel);
        EXPECT_EQ(NodeCount(), before);
        EXPECT_EQ(GetCOREInterface()->RedrawCount(), redraws + 1);
        EXPECT_FALSE(theHold.Holding());
    }
}

// Linked wheels come with their body, once; every copied controller follows its own copy, and
// a linked node that is no part keeps its own controller.
TEST_F(VehicleCopyingTest, LinkedWheelsAreCopiedOnceAndTheCopyingUndoes) {
    std::vector<INode*> original = MakeVehicle(Layouts()[2], true);
    INode* lamp = AddBox({1, 1, 1}, TransMatrix({-500, 600, 150}), false, original[1]);
    const int before = NodeCount();
    panel.numCopies = 3;
    VehicleCopying(panel);
    EXPECT_EQ(NodeCount(), before + 2 * 9);
    const std::vector<INode*> vehicles = VehicleNodes();
    ASSERT_EQ(vehicles.size(), 3u);
    for (int k = 1; k < 3; ++k) {
        const std::vector<INode*> parts = PartsOf(vehicles[static_cast<std::size_t>(k)]);
        std::set<int> numbers;
        for (INode* part : parts) numbers.insert(PartOf(part));
        EXPECT_EQ(numbers, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
        ASSERT_EQ(parts.size(), 7u);
        INode* lampCopy = parts[0]->GetChildNode(6);
        ASSERT_NE(lampCopy, nullptr);
        EXPECT_EQ(lampCopy->GetTMController()->ClassID(), lamp->GetTMController()->ClassID());
        ExpectNear(lampCopy->GetNodeTM(0), lamp->GetNodeTM(0) * TransMatrix({2.4f * static_cast<float>(k), 0, 0}));
    }
    EXPECT_EQ(theHold.UndoNames(), std::vector<std::wstring>{L"Vehicle Copying"});
    ASSERT_TRUE(theHold.Undo());
    EXPECT_EQ(NodeCount(), before);
    EXPECT_EQ(PartsOf(original[0]).size(), 7u);
}

// An object that holds its node's controller: the node is reached through both.
class ControlHolder : public Object {
public:
    explicit ControlHolder(Control* c) { ReplaceReference(0, c); }
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int) override { return held_; }
    void SetReference(int, ReferenceTarget* target) override { held_ = target; }

private:
    ReferenceTarget* held_ = nullptr;
};

TEST_F(VehicleCopyingTest, PartsAreFoundOnceAndAtMostSeven) {
    const std::vector<INode*> nodes = MakeVehicle(Layouts()[0]);
    nodes[2]->SetObjectRef(new ControlHolder(nodes[2]->GetTMController()));
    VehicleEnumProc five(nodes[0]);
    nodes[0]->DoEnumDependents(&five);
    EXPECT_EQ(std::set<INode*>(five.parts, five.parts + five.count), std::set<INode*>(nodes.begin() + 1, nodes.end()));
    EXPECT_EQ(five.count, 5);
    for (int i = 0; i < 3; ++i) {
        auto* control = static_cast<VehicleControl*>(GetVehicleControlDesc()->Create(FALSE));
        control->SetParams(nodes[0], 0, Matrix3());
        AddBox({1, 1, 1}, Matrix3(), false)->SetTMController(control);
    }
    VehicleEnumProc eight(nodes[0]);
    nodes[0]->DoEnumDependents(&eight);
    EXPECT_EQ(eight.count, 7);
}

}  // namespace
