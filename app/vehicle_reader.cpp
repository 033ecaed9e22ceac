#include "app/vehicle_reader.h"

#include "app/class_directory.h"
#include "app/json_reader.h"
#include "app/node_names.h"
#include "app/param_setter.h"
#include "app/scene_error.h"
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

ClassDesc* VehicleClass(const ClassDirectory& classes) { return classes.FindHidden(L"Vehicle", HELPER_CLASS_ID); }

INode* FindVehicleNode(const VehiclePart& part, const NodesByName& byName, ClassDesc* vehicleClass) {
    const auto found = byName.find(FromUtf8(part.vehicle));
    if (found == byName.end()) throw SceneError(part.place, "no node is named \"" + part.vehicle + "\"");
    if (found->second.size() > 1) throw SceneError(part.place, "several nodes are named \"" + part.vehicle + "\"");
    INode* node = found->second.front();
    if (node->GetObjectRef() == nullptr || vehicleClass == nullptr ||
        node->GetObjectRef()->ClassID() != vehicleClass->ClassID())
        throw SceneError(part.place, "node \"" + part.vehicle + "\" is not a vehicle");
    return node;
}

}  // namespace

void ReadVehicle(const JsonPlace& n, INode* node, const ClassDirectory& classes) {
    if (n.Has("object")) n.Fail("a node holds an object or a vehicle, not both");
    const JsonPlace place = n["vehicle"];
    place.ExpectObject({"params"});
    ClassDesc* desc = VehicleClass(classes);
    if (desc == nullptr) place.Fail("the module has no vehicle class");
    auto* vehicle = static_cast<Object*>(desc->Create(FALSE));
    if (vehicle == nullptr) place.Fail("the vehicle could not be made");
    node->SetObjectRef(vehicle);
    if (place.Has("params")) SetParams(place["params"], vehicle->GetParamBlock(0));
}

VehiclePart ReadVehiclePart(const JsonPlace& place, INode* node) {
    place.ExpectObject({"vehicle", "part", "offset"});
    const int part = place["part"].Integer();
    if (part < 0 || part > 6) place["part"].Fail("parts run from 0 (the body) to 6");
    const Matrix3 offset = place.Has("offset") ? ReadTransform(place["offset"]) : Matrix3();
    return {node, place["vehicle"].String(), part, offset, place["vehicle"].Path()};
}

void AttachVehicleParts(const std::vector<VehiclePart>& parts, const ClassDirectory& classes, Interface* ip) {
    if (parts.empty()) return;
    ClassDesc* desc = classes.Find(L"Marlovan2", CTRL_MATRIX3_CLASS_ID);
    const NodesByName byName = NameNodes(ip);
    for (const VehiclePart& part : parts) {
        INode* vehicle = FindVehicleNode(part, byName, VehicleClass(classes));
        auto* control = desc != nullptr ? static_cast<Control*>(desc->Create(FALSE)) : nullptr;
        if (control == nullptr || control->GetParamBlock(0) == nullptr)
            throw SceneError(part.place, "the module's vehicle controller could not be made");
        part.node->SetTMController(control);
        IParamBlock2* pb = control->GetParamBlock(0);
        pb->SetValue(kVehicleNodeParam, 0, vehicle);
        pb->SetValue(kPartParam, 0, part.part);
        pb->SetValue(kOffsetParam, 0, part.offset);
    }
}
