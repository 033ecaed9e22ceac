// Finds a vehicle's parts: the nodes whose controller follows the vehicle's node.
#pragma once

#include "host/anim.h"

class INode;

class VehicleEnumProc : public DependentEnumProc {
public:
    explicit VehicleEnumProc(INode* vehicle) : vehicleNode(vehicle) {}

    // Takes a node whose transform controller is a vehicle controller following the vehicle
    // node, once however often it is reached, up to seven parts. Always continues.
    int proc(ReferenceMaker* rmaker) override;

    INode* vehicleNode;
    INode* parts[7] = {};
    int count = 0;
};
