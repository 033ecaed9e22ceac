// Reads a road or a junction outline for the modifier on it that asks: the node's shape at time 0
// as its world-space stack evaluates while the scene walk has that one modifier switched off.
// Every other modifier of the stack stays as the user left it and applies.
#pragma once

class INode;
class PolyShape;

// The shape's polylines at its own steps, not optimised. False when the node's object cannot
// be converted to a spline shape; out is then untouched.
bool ReadRoadPolylines(INode* node, PolyShape& out);
