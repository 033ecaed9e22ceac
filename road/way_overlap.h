// A way against the XY cells of the lane quadtree.
#pragma once

#include "host/geom.h"
#include "road/way_record.h"

// The XY parallelogram in which a way's containment tests can hold, prepared once so that the
// way can be tested against many cells: centre o, half axes halfX * X and halfY * Y projected on
// the ground. It reaches past the quad itself wherever the quad is not a rectangle (miter
// joints, connector arcs).
class WayReach {
public:
    explicit WayReach(const WayRecord& way);

private:
    friend bool WayOverlapsBox(const WayReach& way, const Box3& cell);

    // A separating axis (nx, ny) and the reach's half width along it.
    struct Axis {
        float nx = 0.0f, ny = 0.0f, reach = 0.0f;
    };
    float ox_ = 0.0f, oy_ = 0.0f;
    // World X, world Y, then the normals of the way's two half axes.
    Axis axes_[4];
    bool inert_ = true;
};

// Whether the way may contain a point of the cell, boundary included. Never false when a point
// of the closed cell passes the way's containment test; an inert way overlaps nothing.
bool WayOverlapsBox(const WayReach& way, const Box3& cell);

// Grows the box by the way's corners, skipping non-finite ones so an inert way cannot poison it.
void AddWayToBox(const WayRecord& way, Box3& box);
