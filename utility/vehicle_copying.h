// "Do Copy": rows of copies of the selected vehicles, as one undo step.
#pragma once

#include "host/geom.h"
#include "host/node_tab.h"

class INode;
class Interface;
class MarlovanUtil;
class VehicleEnumProc;

// For each selected vehicle helper node (the selection is read once), the panel's number of
// copies less one new vehicles in a row in the panel's direction, 1.2 vehicle widths or
// lengths apart; as the undo step "Vehicle Copying", then a redraw.
void VehicleCopying(MarlovanUtil& panel);
// One copy of the proc's vehicle moved by offset: a copied vehicle node, and instanced parts
// whose controllers follow it. A part linked below the vehicle node or below another part is
// cloned with it, once, and still shares its object.
void CloneVehicle(const VehicleEnumProc& proc, Interface* ip, Point3 offset);
// The node cloned with its descendants, moved by offset; null when nothing was cloned.
INode* CloneNode(Interface* ip, INode* node, Point3 offset, CloneType cloneType);
