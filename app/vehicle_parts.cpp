#include "app/vehicle_parts.h"

#include "host/node.h"
#include "host/param_block.h"

namespace {
// The module's controller that drives a vehicle's parts, its vehicle node and its part number (0: body).
constexpr Class_ID kVehicleControlClass(0x23E55012, 0x7B31568F);
constexpr ParamID kVehicleNode = 0;
constexpr ParamID kPartNumber = 1;

IParamBlock2* PartBlock(INode* node) {
    Control* control = node->GetTMController();
    return control != nullptr && control->ClassID() == kVehicleControlClass ? control->GetParamBlock(0) : nullptr;
}
}  // namespace

bool IsVehiclePart(INode* node) { return PartBlock(node) != nullptr; }

bool IsVehicleBody(INode* node) {
    IParamBlock2* block = PartBlock(node);
    return block != nullptr && block->GetInt(kPartNumber) == 0;
}

INode* VehicleOfPart(INode* node) {
    IParamBlock2* block = PartBlock(node);
    return block != nullptr ? block->GetINode(kVehicleNode) : nullptr;
}
