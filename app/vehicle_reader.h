// Vehicles in scene files. A node's "vehicle" makes it a vehicle's node: a vehicle object with
// its parameters. A node's "vehicle_part" makes it the body (part 0) or a wheel (parts 1 to 6)
// of a vehicle: its transform then comes from the vehicle controller following that vehicle.
#pragma once

#include <string>
#include <vector>

#include "host/geom.h"

class ClassDirectory;
class Interface;
class INode;
class JsonPlace;

// A part read from the file; the vehicle it names may come later in the file.
struct VehiclePart {
    INode* node;
    std::string vehicle;
    int part;
    Matrix3 offset;
    std::string place;  // where the vehicle's name stands in the file, for messages
};

// Gives the node of the scene-file node `n` its vehicle object.
void ReadVehicle(const JsonPlace& n, INode* node, const ClassDirectory& classes);
VehiclePart ReadVehiclePart(const JsonPlace& place, INode* node);
// Gives every part's node its controller, once every node of the scene exists.
void AttachVehicleParts(const std::vector<VehiclePart>& parts, const ClassDirectory& classes, Interface* ip);
