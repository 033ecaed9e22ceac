// Vehicles made of box meshes, built the way a user models them, and a host that keeps every
// message box the tools show.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/hold.h"
#include "host/run_ui.h"
#include "host/testing.h"
#include "host/tri_object.h"
#include "utility/marlovan_util.h"
#include "vehicle/vehicle_control.h"
#include "vehicle/vehicle_object.h"

struct WheelSpot {
    Point3 centre;  // world
    int part;       // the part number it must get
};

// Body: a box of bodySize whose base centre stands at bodyBase. Wheels: boxes of wheelSize
// centred on their spots.
struct Layout {
    const char* name;
    Point3 bodyBase, bodySize, wheelSize;
    std::vector<WheelSpot> wheels;
    Point3 size;                  // expected "Width", "Lenght", "Height"
    std::vector<Point3> axles;    // expected "Wheel_Pos", front first
    bool restsWhereItStood;       // the wheels of each pair mirror each other about the body
};

class VehicleToolsTest : public ::testing::Test {
protected:
    MarlovanUtil panel;
    std::vector<HostUiEvent> messages;

    void SetUp() override {
        Interface* ip = GetCOREInterface();
        ip->ResetScene();
        messages.clear();
        ip->SelectNode(nullptr);
        theHold.Reset();
        HostSetClasses({GetVehicleDesc(), GetVehicleControlDesc()});
        HostSetMessageResponder([this](const HostUiEvent& e) {
            messages.push_back(e);
            return IDOK;
        });
        panel.ip = ip;
        panel.motionWindow = HostCreateWindow(nullptr, L"Motion", 0, nullptr);
    }
    void TearDown() override {
        HostSetMessageResponder(nullptr);
        HostSetClasses({});
        theHold.Reset();
        GetCOREInterface()->ResetScene();
    }

    // A box centred on its node's origin, or with its base there.
    static INode* AddBox(Point3 size, const Matrix3& tm, bool baseAtOrigin, INode* parent = nullptr) {
        auto* box = new TriObject;
        for (int i = 0; i < 8; ++i)
            box->mesh.verts.emplace_back((i & 1 ? 0.5f : -0.5f) * size.x, (i & 2 ? 0.5f : -0.5f) * size.y,
                                         ((i & 4 ? 0.5f : -0.5f) + (baseAtOrigin ? 0.5f : 0.0f)) * size.z);
        INode* node = GetCOREInterface()->CreateObjectNode(box, parent);
        node->SetNodeTM(0, tm);
        return node;
    }
    // Body first, then the wheels in the layout's order; wheels turned half round (their boxes
    // stay where they are), under the body when linked.
    static std::vector<INode*> Build(const Layout& l, bool linked = false) {
        // The body's object sits above its node: set-up measures objects, not nodes.
        std::vector<INode*> nodes{AddBox(l.bodySize, TransMatrix(l.bodyBase - Point3(0, 0, 10)), true)};
        nodes[0]->SetObjOffset(TransMatrix({0, 0, 10}));
        nodes[0]->SetName(L"Body");
        for (const WheelSpot& w : l.wheels)
            nodes.push_back(AddBox(l.wheelSize, RotateZMatrix(3.14159265f) * TransMatrix(w.centre), false,
                                   linked ? nodes[0] : nullptr));
        return nodes;
    }
    static void Select(const std::vector<INode*>& nodes) {
        GetCOREInterface()->SelectNode(nullptr);
        for (INode* n : nodes) GetCOREInterface()->SelectNode(n, 0);
    }
    static VehicleControl* ControlOf(INode* node) {
        Control* c = node->GetTMController();
        return c != nullptr && c->ClassID() == kVehicleControlClassID ? static_cast<VehicleControl*>(c) : nullptr;
    }
    static int PartOf(INode* node) { return ControlOf(node)->GetParamBlock(0)->GetInt(kControlObjectNum); }
    // Every vehicle helper node, in scene order.
    static std::vector<INode*> VehicleNodes(INode* from = GetCOREInterface()->GetRootNode()) {
        std::vector<INode*> out;
        if (from->GetObjectRef() != nullptr && from->GetObjectRef()->ClassID() == kVehicleClassID) out.push_back(from);
        for (int i = 0; i < from->NumberOfChildren(); ++i)
            for (INode* n : VehicleNodes(from->GetChildNode(i))) out.push_back(n);
        return out;
    }
    // The nodes whose controller follows the vehicle node, in scene order.
    static std::vector<INode*> PartsOf(INode* vehicle, INode* from = GetCOREInterface()->GetRootNode()) {
        std::vector<INode*> out;
        if (VehicleControl* c = ControlOf(from); c != nullptr && c->GetVehicleNode() == vehicle) out.push_back(from);
        for (int i = 0; i < from->NumberOfChildren(); ++i)
            for (INode* n : PartsOf(vehicle, from->GetChildNode(i))) out.push_back(n);
        return out;
    }
    static int NodeCount(INode* from = GetCOREInterface()->GetRootNode()) {
        int n = 1;
        for (int i = 0; i < from->NumberOfChildren(); ++i) n += NodeCount(from->GetChildNode(i));
        return n;
    }
};

inline void ExpectNear(const Point3& a, const Point3& b, float tolerance = 1e-3f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

inline void ExpectNear(const Matrix3& a, const Matrix3& b, float tolerance = 1e-3f) {
    for (int r = 0; r < 4; ++r) ExpectNear(a[r], b[r], tolerance);
}

// Four wheels round a body 200 wide and 400 long: the whole vehicle is 200 x 400 x 150.
inline Layout FourWheels(const char* name, Point3 frontLeftShift, Point3 frontLeftPos) {
    return {name, {1000, 2000, 30}, {200, 400, 120}, {20, 60, 60},
            {{Point3(920, 2130, 30) + frontLeftShift, 1}, {{1080, 2130, 30}, 2}, {{920, 1880, 30}, 3}, {{1080, 1880, 30}, 4}},
            {220, 420, 160}, {frontLeftPos, {80, -120, 30}}, frontLeftShift == Point3()};
}

inline const std::vector<Layout>& Layouts() {
    static const std::vector<Layout> layouts = {
        FourWheels("four wheels", {}, {80, 130, 30}),
        // The front left wheel out of line: both front wheels move onto the axle's mean points.
        FourWheels("front left out of line", {-6, 4, 2}, {83, 132, 31}),
        {"six wheels", {-500, 300, 40}, {200, 600, 150}, {30, 70, 70},
         {{{-415, 300, 35}, 4}, {{-585, 90, 35}, 5}, {{-585, 500, 35}, 1}, {{-415, 90, 35}, 6}, {{-585, 300, 35}, 3},
          {{-415, 500, 35}, 2}},
         {220, 620, 200}, {{85, 200, 35}, {85, 0, 35}, {85, -210, 35}}, true},
    };
    return layouts;
}
