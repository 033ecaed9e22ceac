#include "utility/vehicle_setup.h"

#include <array>
#include <vector>

#include "common/box_helpers.h"
#include "utility/marlovan_util.h"
#include "utility/panel_error.h"
#include "utility/run_driver.h"
#include "utility/wheel_order.h"
#include "vehicle/vehicle_control.h"
#include "vehicle/vehicle_object.h"

namespace {

constexpr int kMaxParts = 7;

// What set-up reads from the selection before it changes anything.
struct Measured {
    std::vector<INode*> nodes;
    Box3 all;       // every selected object
    int body = -1;  // the largest; -1 when no object has a size
};

Measured Measure(Interface* ip) {
    Measured m;
    float largest = 0.0f;
    for (int i = 0; i < ip->GetSelNodeCount(); ++i) m.nodes.push_back(ip->GetSelNode(i));
    for (int i = 0; i < static_cast<int>(m.nodes.size()); ++i) {
        const Box3 box = NodeWorldBox(m.nodes[static_cast<std::size_t>(i)]);
        const Point3 size = Box3Size(box);
        const float sum = size.x + size.y + size.z;
        if (sum > largest) largest = sum, m.body = i;
        m.all += box;
    }
    return m;
}

// The new vehicle object and one controller a part, all or none.
struct Made {
    VehicleObject* vehicle = nullptr;
    std::array<VehicleControl*, kMaxParts> controls{};
};

bool Make(Interface* ip, int parts, Made& made) {
    made.vehicle = static_cast<VehicleObject*>(static_cast<Object*>(ip->CreateInstance(HELPER_CLASS_ID, kVehicleClassID)));
    bool all = made.vehicle != nullptr;
    for (int i = 0; i < parts; ++i) {
        made.controls[i] = static_cast<VehicleControl*>(
            static_cast<Control*>(ip->CreateInstance(CTRL_MATRIX3_CLASS_ID, kVehicleControlClassID)));
        all = all && made.controls[i] != nullptr;
    }
    if (all) return true;
    if (made.vehicle != nullptr) made.vehicle->DeleteThis();
    for (VehicleControl* c : made.controls)
        if (c != nullptr) c->DeleteThis();
    return false;
}

// Size of the whole vehicle with the margins all taken from its width.
Point3 VehicleSize(const Box3& all) {
    Point3 s = Box3Size(all);
    s.y += 0.1f * s.x;
    s.z += 0.05f * s.x;
    s.x += 0.1f * s.x;
    return s;
}

void Attach(INode* part, VehicleControl* control, INode* vehicleNode, int number, const Matrix3& offset) {
    control->SetParams(vehicleNode, number, offset);
    part->SetTMController(control);
}

// One axle's wheel table entry and its two wheels' controllers. The offsets keep each wheel's
// rotation and scale and put its box centre on the wheel's nominal point.
void SetUpAxle(VehicleObject* vehicle, INode* vehicleNode, const Matrix3& frame, INode* left, INode* right, int axle,
               VehicleControl* leftControl, VehicleControl* rightControl) {
    const Matrix3 toVehicle = Inverse(frame);
    const Box3 boxL = NodeWorldBox(left), boxR = NodeWorldBox(right);
    const Point3 cL = Box3Center(boxL) * toVehicle, cR = Box3Center(boxR) * toVehicle;
    const Point3 position((cR.x - cL.x) / 2.0f, (cL.y + cR.y) / 2.0f, (cL.z + cR.z) / 2.0f);
    vehicle->SetWheelTables(position, (Box3Size(boxL) + Box3Size(boxR)) * 0.25f, axle);
    const struct {
        INode* node;
        VehicleControl* control;
        Point3 centre, nominal;
        int number;
    } wheels[2] = {{left, leftControl, cL, {-position.x, position.y, position.z}, 2 * axle + 1},
                   {right, rightControl, cR, position, 2 * axle + 2}};
    for (const auto& w : wheels) {
        Matrix3 offset = w.node->GetNodeTM(0) * Inverse(TransMatrix(w.nominal) * frame);
        offset.SetTrans(offset.GetTrans() - (w.centre - w.nominal));
        Attach(w.node, w.control, vehicleNode, w.number, offset);
    }
}

void Build(MarlovanUtil& panel, Interface* ip, const Measured& m, Made& made) {
    INode* vehicleNode = ip->CreateObjectNode(made.vehicle);
    made.vehicle->SetSize(VehicleSize(m.all));
    INode* body = m.nodes[static_cast<std::size_t>(m.body)];
    const Point3 centre = Box3Center(NodeWorldBox(body));
    const Matrix3 frame = TransMatrix({centre.x, centre.y, m.all.pmin.z});
    vehicleNode->SetNodeTM(0, frame);
    Attach(body, made.controls[0], vehicleNode, 0, body->GetNodeTM(0) * Inverse(frame));
    ip->DeSelectNode(body);
    std::vector<INode*> wheels = m.nodes;
    wheels.erase(wheels.begin() + m.body);
    OrderWheels(wheels.data(), static_cast<int>(wheels.size()));
    const int axles = static_cast<int>(wheels.size()) / 2;
    made.vehicle->SetWheelCount(axles);
    for (int k = 0; k < axles; ++k)
        SetUpAxle(made.vehicle, vehicleNode, frame, wheels[2 * k], wheels[2 * k + 1], k, made.controls[2 * k + 1],
                  made.controls[2 * k + 2]);
    made.vehicle->SetType(panel.vehicleType);
    made.vehicle->UpdateSimParams();
}

}  // namespace

void VehicleSetup(MarlovanUtil& panel) {
    Interface* ip = RunInterface(panel);
    const Measured m = Measure(ip);
    const int n = static_cast<int>(m.nodes.size());
    if (n != 5 && n != 7)
        return ShowPanelError(panel, L"You have to select 5 objects for 4wheels vehicle,\nor 7 object for 6wheels vehicle");
    if (m.body < 0) return ShowPanelError(panel, L"None of the selected objects has a size: there is no body to measure.");
    Made made;
    if (!Make(ip, n, made)) return ShowPanelError(panel, L"The vehicle could not be made: its classes are not available.");
    Build(panel, ip, m, made);
}
