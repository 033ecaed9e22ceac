#include "utility/vehicle_copying.h"

#include <algorithm>
#include <vector>

#include "host/hold.h"
#include "host/interface.h"
#include "utility/marlovan_util.h"
#include "utility/run_driver.h"
#include "utility/vehicle_enum_proc.h"
#include "vehicle/vehicle_control.h"
#include "vehicle/vehicle_object.h"

namespace {

// Clones the node with its descendants; targets receives every clone, the node's first, and
// sources, when given, what each was cloned from.
void CloneInto(Interface* ip, INode* node, Point3 offset, CloneType cloneType, INodeTab& targets,
               INodeTab* sources = nullptr) {
    INodeTab nodes;
    nodes.Append(1, &node);
    ip->CloneNodes(nodes, offset, true, cloneType, sources, &targets);
}

// Every clone whose controller followed the old vehicle follows the new one; other
// controllers are left alone.
void Follow(INodeTab& clones, INode* oldVehicle, INode* newVehicle) {
    for (int i = 0; i < clones.Count(); ++i) {
        Control* control = clones[i]->GetTMController();
        if (control == nullptr || control->ClassID() != kVehicleControlClassID) continue;
        auto* vehicleControl = static_cast<VehicleControl*>(control);
        if (vehicleControl->GetVehicleNode() == oldVehicle) vehicleControl->SetVehicleNode(newVehicle);
    }
}

// A part that lies below the vehicle node or below another part comes with that clone.
bool ClonedWithAncestor(const VehicleEnumProc& proc, INode* part) {
    for (INode* up = part->GetParentNode(); up != nullptr; up = up->GetParentNode())
        if (up == proc.vehicleNode || std::find(proc.parts, proc.parts + proc.count, up) != proc.parts + proc.count)
            return true;
    return false;
}

Point3 CopyStep(Point3 size, int direction) {
    const Point3 d = size * 1.2f;
    switch (direction) {
        case 1: return {-d.x, 0.0f, 0.0f};
        case 2: return {0.0f, -d.y, 0.0f};
        case 3: return {0.0f, d.y, 0.0f};
        default: return {d.x, 0.0f, 0.0f};
    }
}

}  // namespace

INode* CloneNode(Interface* ip, INode* node, Point3 offset, CloneType cloneType) {
    INodeTab targets;
    CloneInto(ip, node, offset, cloneType, targets);
    return targets.Count() > 0 ? targets[0] : nullptr;
}

void CloneVehicle(const VehicleEnumProc& proc, Interface* ip, Point3 offset) {
    INodeTab clones, sources;
    CloneInto(ip, proc.vehicleNode, offset, NODE_COPY, clones, &sources);
    if (clones.Count() == 0) return;
    INode* newVehicle = clones[0];
    // Parts copied with the vehicle node share their objects all the same, as instances do.
    for (int i = 1; i < clones.Count(); ++i)
        if (std::find(proc.parts, proc.parts + proc.count, sources[i]) != proc.parts + proc.count)
            clones[i]->SetObjectRef(sources[i]->GetObjectRef());
    for (int j = 0; j < proc.count; ++j)
        if (!ClonedWithAncestor(proc, proc.parts[j])) CloneInto(ip, proc.parts[j], offset, NODE_INSTANCE, clones);
    Follow(clones, proc.vehicleNode, newVehicle);
}

void VehicleCopying(MarlovanUtil& panel) {
    Interface* ip = RunInterface(panel);
    std::vector<INode*> selection;
    for (int i = 0; i < ip->GetSelNodeCount(); ++i) selection.push_back(ip->GetSelNode(i));
    theHold.Begin();
    for (INode* node : selection) {
        Object* obj = node->GetObjectRef();
        if (obj == nullptr || obj->ClassID() != kVehicleClassID) continue;
        const Point3 step = CopyStep(static_cast<VehicleObject*>(obj)->GetSize(), panel.copyDirection);
        VehicleEnumProc proc(node);
        node->DoEnumDependents(&proc);
        for (int k = 1; k < panel.numCopies; ++k) CloneVehicle(proc, ip, step * static_cast<float>(k));
    }
    theHold.Accept(L"Vehicle Copying");
    ip->ForceCompleteRedraw(TRUE);
}
