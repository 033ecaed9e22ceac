// Measuring the nodes a vehicle is built from, and putting its wheels in part order.
#pragma once

#include "host/geom.h"

class INode;

// The world box of the node's whole object at time 0, as its world state evaluates.
Box3 NodeWorldBox(INode* node);
// Reorders n wheels (4 or 6) in place into part order: pairs front (largest Y) to back, each
// pair left (smaller X) then right. Wheels of equal Y keep their order.
void OrderWheels(INode** wheels, int n);
