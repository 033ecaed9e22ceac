#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>

#include "host/hold.h"
#include "host/run_ui.h"
#include "host/testing.h"
#include "host/tri_object.h"
#include "utility/marlovan_util.h"
#include "utility/vehicle_copying.h"
#include "utility/vehicle_enum_proc.h"
#include "utility/vehicle_setup.h"
#include "vehicle/vehicle_control.h"
#include "vehicle/vehicle_object.h"

namespace {

// Body and wheel boxes (wheels in part order), then "Width", "Lenght", "Height", "Wheel_Pos".
struct Layout { Point3 bodyBase, bodySize, wheelSize; std::vector<Point3> wheels; Point3 size; std::vector<Point3> axles; };
const Layout kLayouts[] = {
    {{1000, 2000, 30}, {200, 400, 120}, {20, 60, 60}, {{920, 2130, 30}, {1080, 2130, 30}, {920, 1880, 30}, {1080, 1880, 30}},
     {220, 420, 160}, {{80, 130, 30}, {80, -120, 30}}},
    // The front left wheel out of line: both front wheels rest on the axle's mean points.
    {{-500, 300, 40}, {200, 600, 150}, {30, 70, 70},
     {{-581, 504, 37}, {-415, 500, 35}, {-585, 300, 35}, {-415, 300, 35}, {-585, 90, 35}, {-415, 90, 35}},
     {220, 620, 200}, {{83, 202, 36}, {85, 0, 35}, {85, -210, 35}}},
};

INode* AddBox(Point3 s, const Matrix3& tm, INode* parent = nullptr) {
    auto* box = new TriObject;
    for (int i = 0; i < 8; ++i)
        box->mesh.verts.emplace_back(((i & 1) - 0.5f) * s.x, ((i >> 1 & 1) - 0.5f) * s.y, ((i >> 2) - 0.5f) * s.z);
    INode* node = GetCOREInterface()->CreateObjectNode(box, parent);
    node->SetNodeTM(0, tm);
    return node;
}

// The body's object lies above its node (set-up measures objects); wheels are turned half round.
std::vector<INode*> Build(const Layout& l, bool linked = false) {
    std::vector<INode*> nodes{AddBox(l.bodySize, TransMatrix(l.bodyBase + Point3(0, 0, l.bodySize.z / 2 - 10)))};
    nodes[0]->SetObjOffset(TransMatrix({0, 0, 10}));
    nodes[0]->SetName(L"Body");
    for (const Point3& w : l.wheels)
        nodes.push_back(AddBox(l.wheelSize, RotateZMatrix(3.14159265f) * TransMatrix(w), linked ? nodes[0] : nullptr));
    return nodes;
}

void Select(const std::vector<INode*>& ns) {
    for (INode* n : ns) GetCOREInterface()->SelectNode(n, n == ns[0]);
}

VehicleControl* ControlOf(INode* n) {
    Control* c = n->GetTMController();
    return c && c->ClassID() == kVehicleControlClassID ? static_cast<VehicleControl*>(c) : nullptr;
}
int PartOf(INode* n) { return ControlOf(n)->GetParamBlock(0)->GetInt(kControlObjectNum); }

// The scene's nodes that pass, in scene order.
std::vector<INode*> Nodes(const std::function<bool(INode*)>& keep, INode* from = GetCOREInterface()->GetRootNode()) {
    std::vector<INode*> out;
    if (keep(from)) out.push_back(from);
    for (int i = 0; i < from->NumberOfChildren(); ++i)
        for (INode* n : Nodes(keep, from->GetChildNode(i))) out.push_back(n);
    return out;
}
std::size_t NodeCount() { return Nodes([](INode*) { return true; }).size(); }
std::vector<INode*> Vehicles() { return Nodes([](INode* n) { return n->GetObjectRef() && n->GetObjectRef()->ClassID() == kVehicleClassID; }); }
std::vector<INode*> PartsOf(INode* v) { return Nodes([v](INode* n) { return ControlOf(n) && ControlOf(n)->GetVehicleNode() == v; }); }

float Apart(const Matrix3& a, const Matrix3& b) {
    return std::max({Length(a[0] - b[0]), Length(a[1] - b[1]), Length(a[2] - b[2]), Length(a[3] - b[3])});
}

class VehicleToolsTest : public ::testing::Test {
protected:
    MarlovanUtil panel;
    std::vector<HostUiEvent> messages;

    void SetUp() override {
        GetCOREInterface()->ResetScene();
        messages.clear();
        theHold.Reset();
        HostSetClasses({GetVehicleDesc(), GetVehicleControlDesc()});
        HostSetMessageResponder([this](const HostUiEvent& e) { return messages.push_back(e), IDOK; });
        panel.motionWindow = HostCreateWindow(nullptr, L"Motion", 0, nullptr);
    }
    void TearDown() override { HostSetMessageResponder(nullptr), HostSetClasses({}); }
};

// Any selection order; every part rests where it stood, out-of-line wheels centred on their axle.
TEST_F(VehicleToolsTest, SetUpEveryLayoutInAnySelectionOrder) {
    const float presets[3][2] = {{200, 60}, {100, 10}, {100, 10}};  // "Max_Speed", "Stop_Time"
    for (const Layout& l : kLayouts)
        for (int seed = 0; seed < 6; ++seed) {
            SCOPED_TRACE(testing::Message() << l.wheels.size() << " wheels, seed " << seed);
            SetUp();
            const std::vector<INode*> nodes = Build(l);
            std::vector<INode*> order = nodes;
            std::shuffle(order.begin(), order.end(), std::mt19937(seed));
            Select(order);
            panel.vehicleType = seed % 3;
            std::vector<Matrix3> expected;
            for (INode* n : nodes) expected.push_back(n->GetNodeTM(0));
            const Matrix3 frame = TransMatrix({l.bodyBase.x, l.bodyBase.y, 0});
            for (std::size_t i = 1; i < nodes.size(); ++i) {
                const Point3 axle = l.axles[(i - 1) / 2];
                expected[i].SetTrans(Point3(i % 2 == 1 ? -axle.x : axle.x, axle.y, axle.z) * frame);
            }
            VehicleSetup(panel);

            ASSERT_EQ(Vehicles().size(), 1u);
            EXPECT_EQ(Vehicles()[0]->GetNodeTM(0), frame);
            auto* vehicle = static_cast<VehicleObject*>(Vehicles()[0]->GetObjectRef());
            const IParamBlock2* pb = vehicle->GetParamBlock(0);
            EXPECT_LT(Length(vehicle->GetSize() - l.size), 1e-3f);
            EXPECT_EQ(Point3(pb->GetFloat(kVehicleMaxSpeed), pb->GetFloat(kVehicleStopTime), pb->GetFloat(kVehicleRigidity)),
                      Point3(presets[seed % 3][0], presets[seed % 3][1], 200));
            ASSERT_EQ(vehicle->State().axleCount * 2, static_cast<int>(l.wheels.size())) << "read into the state";
            for (int k = 0; k < vehicle->State().axleCount; ++k)
                EXPECT_LT(Length(pb->GetPoint3(kVehicleWheelSize, 0, k) - l.wheelSize * 0.5f), 1e-3f);
            for (std::size_t i = 0; i < nodes.size(); ++i) {
                EXPECT_EQ(std::make_pair(PartOf(nodes[i]), nodes[i]->Selected()), std::make_pair(static_cast<int>(i), i > 0 ? 1 : 0));
                EXPECT_LT(Apart(nodes[i]->GetNodeTM(0), expected[i]), 1e-3f) << "part " << i;
            }
        }
}

// Set-up measures first: a refusal leaves the scene, the controllers and the selection alone.
TEST_F(VehicleToolsTest, SetUpRefusals) {
    const wchar_t* count = L"You have to select 5 objects for 4wheels vehicle,\nor 7 object for 6wheels vehicle";
    const struct {
        int selected, fault;  // 1: objects without a size, 2: classes the host cannot make
        const wchar_t* message;
    } cases[] = {{0, 0, count}, {1, 0, count}, {4, 0, count}, {6, 0, count}, {8, 0, count},
                 {5, 1, L"None of the selected objects has a size: there is no body to measure."},
                 {5, 2, L"The vehicle could not be made: its classes are not available."}};
    for (const auto& c : cases) {
        SetUp();
        std::vector<INode*> nodes = Build(kLayouts[1]);
        nodes.push_back(AddBox({1, 1, 1}, Matrix3()));
        for (INode* n : nodes)
            if (c.fault == 1) static_cast<TriObject*>(n->GetObjectRef())->mesh.verts.clear();
        if (c.fault == 2) HostSetClasses({});
        nodes.resize(static_cast<std::size_t>(c.selected));
        Select(nodes);
        VehicleSetup(panel);
        ASSERT_EQ(messages.size(), 1u) << c.selected;
        EXPECT_EQ(std::make_tuple(messages[0].text, messages[0].caption, messages[0].owner, messages[0].type),
                  std::make_tuple(std::wstring(c.message), std::wstring(L"Error"), panel.motionWindow, MB_OK));
        EXPECT_EQ(std::make_pair(NodeCount(), GetCOREInterface()->GetSelNodeCount()), std::make_pair(9ul, c.selected));
    }
}

// Copy k: k steps away, its own vehicle object and controllers, its parts' objects shared (parts
// linked below the body or the vehicle node copied once with it); a node below the vehicle node
// that is none of its parts is copied as it is, its controller following what it followed. One
// undo takes every copy back.
TEST_F(VehicleToolsTest, CopyRows) {
    // linked 1: wheels below the body, 2: every part below the vehicle node, 3: below the vehicle
    // node a part of another vehicle and a controller bound to none; "Width" 2, "Lenght" 4.2.
    const struct { int direction, copies; bool selectBody; int linked; Point3 step; } cases[] = {{0, 9, false, 0, {2.4f, 0, 0}}, {1, 9, false, 0, {-2.4f, 0, 0}}, {2, 9, false, 0, {0, -5.04f, 0}},
                 {3, 9, false, 0, {0, 5.04f, 0}}, {3, 4, false, 1, {0, 5.04f, 0}}, {0, 3, false, 2, {2.4f, 0, 0}},
                 {1, 3, false, 3, {-2.4f, 0, 0}}, {3, 1, false, 0, {}}, {3, -2, false, 0, {}}, {3, 9, true, 0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << ", " << c.copies << ", linked " << c.linked);
        SetUp();
        std::vector<INode*> original = Build(kLayouts[0], c.linked == 1);
        Select(original);
        VehicleSetup(panel);
        original.insert(original.begin(), Vehicles().at(0));
        for (std::size_t i = 1; c.linked == 2 && i < original.size(); ++i) {  // the same part on a node below
            INode* below = GetCOREInterface()->CreateObjectNode(original[i]->GetObjectRef(), original[0]);
            below->SetName(original[i]->GetName()), below->SetTMController(original[i]->GetTMController());
            GetCOREInterface()->DeleteNode(std::exchange(original[i], below));
        }
        INode* other = nullptr;
        std::vector<INode*> strangers;  // below the vehicle node, none of its parts
        if (c.linked == 3) {
            other = GetCOREInterface()->CreateObjectNode(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
            other->SetName(L"Other");
            for (INode* follows : {other, static_cast<INode*>(nullptr)}) {
                auto* control = static_cast<VehicleControl*>(GetVehicleControlDesc()->Create(FALSE));
                control->SetParams(follows, 1, Matrix3());
                strangers.push_back(AddBox({10, 10, 10}, Matrix3(), original[0]));
                strangers.back()->SetTMController(control);
            }
        }
        static_cast<VehicleObject*>(original[0]->GetObjectRef())->SetSize({2.0f, 4.2f, 1.6f});
        Select({original[c.selectBody ? 1 : 0]});
        panel.copyDirection = c.direction, panel.numCopies = c.copies;
        VehicleCopying(panel);
        std::vector<INode*> vehicles = Vehicles();
        std::erase(vehicles, other);
        ASSERT_EQ(vehicles.size(), c.selectBody || c.copies < 2 ? 1u : static_cast<std::size_t>(c.copies));
        EXPECT_EQ(NodeCount(), 1 + (6 + strangers.size()) * vehicles.size() + (other != nullptr));
        if (other != nullptr) {
            const auto followers = [](INode* v) { return Nodes([v](INode* n) { return ControlOf(n) && ControlOf(n)->GetVehicleNode() == v; }); };
            const std::vector<INode*> ofOther = followers(other), ofNone = followers(nullptr);
            ASSERT_EQ(std::make_pair(ofOther.size(), ofNone.size()), std::make_pair(vehicles.size(), vehicles.size()));
            for (std::size_t k = 0; k < vehicles.size(); ++k)
                EXPECT_TRUE(ofOther[k]->GetParentNode() == vehicles[k] && ofNone[k]->GetParentNode() == vehicles[k] &&
                            (k == 0 || ofOther[k]->GetObjectRef() != strangers[0]->GetObjectRef())) << k;
        }
        for (std::size_t k = 1; k < vehicles.size(); ++k) {
            const Matrix3 offset = TransMatrix(c.step * static_cast<float>(k));
            EXPECT_TRUE(vehicles[k]->GetName() == L"Vehicle00" + std::to_wstring(k + 1) && vehicles[k]->GetObjectRef() != original[0]->GetObjectRef() &&
                        Apart(vehicles[k]->GetNodeTM(0), original[0]->GetNodeTM(0) * offset) < 1e-4f) << k;
            const std::vector<INode*> parts = PartsOf(vehicles[k]);
            ASSERT_EQ(parts.size(), 5u);
            EXPECT_EQ(parts[0]->GetName(), L"Body00" + std::to_wstring(k));
            for (INode* part : parts) {
                INode* from = original[static_cast<std::size_t>(PartOf(part)) + 1];
                EXPECT_TRUE(part->GetObjectRef() == from->GetObjectRef() && part->GetTMController() != from->GetTMController() &&
                            Apart(part->GetNodeTM(0), from->GetNodeTM(0) * offset) < 1e-3f) << PartOf(part);
            }
        }
        EXPECT_EQ(theHold.UndoNames(), std::vector<std::wstring>(vehicles.size() > 1 ? 1 : 0, L"Vehicle Copying"));
        theHold.Undo();
        EXPECT_EQ(std::make_pair(NodeCount(), PartsOf(original[0]).size()), std::make_pair(7 + strangers.size() + (other != nullptr), 5ul));
    }
}

// Each part once however often it is reached, and no more than seven.
TEST_F(VehicleToolsTest, EnumProcTakesEachPartOnceAndSevenAtMost) {
    Select(Build(kLayouts[1]));
    VehicleSetup(panel);
    INode* vehicle = Vehicles().at(0);
    const std::vector<INode*> parts = PartsOf(vehicle);
    VehicleEnumProc proc(vehicle);
    for (INode* part : parts) proc.proc(part), proc.proc(part);
    proc.proc(CloneNode(GetCOREInterface(), parts[0], {}, NODE_INSTANCE));
    EXPECT_EQ(std::vector<INode*>(proc.parts, proc.parts + proc.count), parts);
}

}  // namespace
