// The nodes that play a vehicle's motion back: its body and wheels, driven by the module's
// vehicle controller.
#pragma once

class INode;

bool IsVehiclePart(INode* node);
bool IsVehicleBody(INode* node);
// The vehicle node that a part follows; null for other nodes or a part of no vehicle.
INode* VehicleOfPart(INode* node);
