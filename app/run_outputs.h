// What a run leaves for the user to look at, made from the scene after the run: each vehicle
// part's world transform per frame, and each vehicle's path.
#pragma once

#include <string>
#include <vector>

#include "host/graphics_window.h"
#include "host/time.h"

class Interface;

// One row per frame from start to end (inclusive, whole frames) and vehicle part node: the
// frame, the node's name and the twelve entries of its world transform, rows first.
std::string PartTransformsCsv(Interface* ip, TimeValue start, TimeValue end);
// A polyline per vehicle body through its position at every frame, in its vehicle node's wire
// colour, as the legend shows the vehicle.
std::vector<DrawRecord> VehiclePaths(Interface* ip, TimeValue start, TimeValue end);
