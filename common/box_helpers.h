// Centre and size of a box, and a point's place in it. None looks at emptiness: an empty box
// gives negative sizes and holds no point.
#pragma once

#include "host/geom.h"

inline Point3 Box3Center(const Box3& box) {
    return {(box.pmin.x + box.pmax.x) / 2.0f, (box.pmin.y + box.pmax.y) / 2.0f, (box.pmin.z + box.pmax.z) / 2.0f};
}

inline Point3 Box3Size(const Box3& box) {
    return {box.pmax.x - box.pmin.x, box.pmax.y - box.pmin.y, box.pmax.z - box.pmin.z};
}

// Strictly inside the box in XY: a point on its edge is outside, and z is ignored.
inline bool PointInBoxXY(const Point3& p, const Box3& b) {
    return p.x > b.pmin.x && p.y > b.pmin.y && b.pmax.x > p.x && b.pmax.y > p.y;
}
