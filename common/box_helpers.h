// Centre, size and cube of a box, a point's place in it, and the largest component of a point.
// None of them looks at emptiness: an empty box gives negative sizes and holds no point.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

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

inline bool IsFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

inline float MaxComponent(const Point3& p) { return std::max({p.x, p.y, p.z}); }

// Grows the box to hold every point.
inline void IncludePoints(Box3& box, const Point3* points, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        for (int axis = 0; axis < 3; ++axis) {
            box.pmin[axis] = std::min(box.pmin[axis], points[i][axis]);
            box.pmax[axis] = std::max(box.pmax[axis], points[i][axis]);
        }
}

// The cube centred on the box's centre whose side is the box's largest size.
inline Box3 Box3MakeCube(const Box3& box) {
    const float half = MaxComponent(Box3Size(box)) / 2.0f;
    const Point3 centre = Box3Center(box);
    return {centre - Point3(half, half, half), centre + Point3(half, half, half)};
}
