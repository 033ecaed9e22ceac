// Scene walks of a run: a node before its children, the children in index order.
#pragma once

#include <vector>

#include "traffic/obstacle_record.h"

class INode;
class VehicleState;

// Tells whatever depends on a vehicle object that it changed, so the next redraw evaluates it.
void NotifyVehicles(INode* node);
// The state of every vehicle object, once however many nodes share the object, its
// parameters refreshed first; nodes, when given, receives the first node of each.
std::vector<VehicleState*> CollectVehicles(INode* root, std::vector<INode*>* nodes = nullptr);
// A record per speed-limiter, obstacle, traffic-light and stop-line node.
std::vector<ObstacleRecord> BuildObstacleRecords(INode* root);
