#include "utility/vehicle_enum_proc.h"

#include <algorithm>

#include "host/node.h"
#include "vehicle/vehicle_control.h"

int VehicleEnumProc::proc(ReferenceMaker* rmaker) {
    if (count == 7 || rmaker->SuperClassID() != BASENODE_CLASS_ID) return DEP_ENUM_CONTINUE;
    auto* node = static_cast<INode*>(rmaker);
    Control* control = node->GetTMController();
    if (control == nullptr || control->ClassID() != kVehicleControlClassID) return DEP_ENUM_CONTINUE;
    if (static_cast<VehicleControl*>(control)->GetVehicleNode() != vehicleNode) return DEP_ENUM_CONTINUE;
    if (std::find(parts, parts + count, node) == parts + count) parts[count++] = node;
    return DEP_ENUM_CONTINUE;
}
