// A way against the XY cells of the lane quadtree.
#pragma once

#include "host/geom.h"
#include "road/way_record.h"

// Whether the way may contain a point of the cell, boundary included. Never false when a point
// of the closed cell passes the way's containment test; an inert way overlaps nothing.
bool WayOverlapsBox(const WayRecord& way, const Box3& cell);

// Grows the box by the way's corners, skipping non-finite ones so an inert way cannot poison it.
void AddWayToBox(const WayRecord& way, Box3& box);
