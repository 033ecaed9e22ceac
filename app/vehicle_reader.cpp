#include "app/vehicle_reader.h"

#include <utility>
#include <vector>

#include "app/class_directory.h"
#include "app/json_reader.h"
#include "app/param_setter.h"
#include "app/text.h"
#include "app/transform_reader.h"
#include "host/class_desc.h"
#include "host/interface.h"
#include "host/param_block.h"

namespace {

// The controller's parameters, by the IDs its class declares.
constexpr ParamID kVehicleNodeParam = 0;
constexpr ParamID kPartParam = 1;
constexpr ParamID kOffsetParam = 2;

// Every scene-file node with its scene node, parents before children, without recursion.
std::vector<std::pair<JsonPlace, INode*>> PairNodes(const JsonPlace& nodes, Interface* ip) {
    std::vector<std::pair<JsonPlace, INode*>> out;
    std::vector<std::pair<JsonPlace, INode*>> lists{{nodes, ip->GetRootNode()}};
    while (!lists.empty()) {
        const auto [list, parent] = lists.back();
        lists.pop_back();
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const JsonPlace n = list.Item(i);
            INode* node = parent->GetChildNode(static_cast<int>(i));
            out.emplace_back(n, node);
            if (n.Has("children")) lists.emplace_back(n["children"], node);
        }
    }
    return out;
}

void MakeVehicle(const JsonPlace& place, INode* node, const ClassDirectory& classes) {
    place.ExpectObject({"params"});
    ClassDesc* desc = classes.FindHidden(L"Vehicle", HELPER_CLASS_ID);
    if (desc == nullptr) place.Fail("the module has no vehicle class");
    auto* vehicle = static_cast<Object*>(desc->Create(FALSE));
    if (vehicle == nullptr) place.Fail("the vehicle could not be made");
    node->SetObjectRef(vehicle);
    if (place.Has("params")) SetParams(place["params"], vehicle->GetParamBlock(0));
}

INode* FindVehicleNode(const JsonPlace& name, const std::vector<std::pair<JsonPlace, INode*>>& nodes,
                       const ClassDirectory& classes) {
    const std::wstring wanted = FromUtf8(name.String());
    INode* found = nullptr;
    for (const auto& [place, node] : nodes) {
        if (node->GetName() != wanted) continue;
        if (found != nullptr) name.Fail("several nodes are named \"" + name.String() + "\"");
        found = node;
    }
    if (found == nullptr) name.Fail("no node is named \"" + name.String() + "\"");
    ClassDesc* vehicleClass = classes.FindHidden(L"Vehicle", HELPER_CLASS_ID);
    if (found->GetObjectRef() == nullptr || vehicleClass == nullptr ||
        found->GetObjectRef()->ClassID() != vehicleClass->ClassID())
        name.Fail("node \"" + name.String() + "\" is not a vehicle");
    return found;
}

void MakePart(const JsonPlace& place, INode* node, const std::vector<std::pair<JsonPlace, INode*>>& nodes,
              const ClassDirectory& classes) {
    place.ExpectObject({"vehicle", "part", "offset"});
    INode* vehicle = FindVehicleNode(place["vehicle"], nodes, classes);
    const int part = place["part"].Integer();
    if (part < 0 || part > 6) place["part"].Fail("parts run from 0 (the body) to 6");
    const Matrix3 offset = place.Has("offset") ? ReadTransform(place["offset"]) : Matrix3();
    ClassDesc* desc = classes.Find(L"Marlovan2", CTRL_MATRIX3_CLASS_ID);
    if (desc == nullptr) place.Fail("the module has no vehicle controller");
    auto* control = static_cast<Control*>(desc->Create(FALSE));
    if (control == nullptr || control->GetParamBlock(0) == nullptr) place.Fail("the controller could not be made");
    node->SetTMController(control);
    IParamBlock2* pb = control->GetParamBlock(0);
    pb->SetValue(kVehicleNodeParam, 0, vehicle);
    pb->SetValue(kPartParam, 0, part);
    pb->SetValue(kOffsetParam, 0, offset);
}

}  // namespace

void ReadVehicles(const JsonPlace& nodes, const ClassDirectory& classes, Interface* ip) {
    const auto paired = PairNodes(nodes, ip);
    for (const auto& [place, node] : paired) {
        if (!place.Has("vehicle")) continue;
        if (place.Has("object")) place.Fail("a node holds an object or a vehicle, not both");
        MakeVehicle(place["vehicle"], node, classes);
    }
    for (const auto& [place, node] : paired)
        if (place.Has("vehicle_part")) MakePart(place["vehicle_part"], node, paired, classes);
}
