// Reads a road as drawn: the node's shape at time 0 with every road and crossing modifier of its
// world-space stack switched off for the read (and those that were on switched on again).
#pragma once

class INode;
class PolyShape;

// The shape's polylines at its own steps, not optimised. False when the node's object cannot
// be converted to a spline shape; out is then untouched.
bool ReadRoadPolylines(INode* node, PolyShape& out);
