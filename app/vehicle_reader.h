// Vehicles in scene files. A node's "vehicle" makes it a vehicle's node: a vehicle object with
// its parameters. A node's "vehicle_part" makes it the body (part 0) or a wheel (parts 1 to 6)
// of a vehicle: its transform then comes from the vehicle controller following that vehicle.
#pragma once

class ClassDirectory;
class Interface;
class JsonPlace;

// Reads both keys of every node under `nodes` once the scene's nodes exist (parts may name
// vehicles further down the file). `nodes` and the root's children correspond in order.
void ReadVehicles(const JsonPlace& nodes, const ClassDirectory& classes, Interface* ip);
