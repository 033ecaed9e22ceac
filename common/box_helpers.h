// Centre and size of a box. Neither looks at emptiness: an empty box gives negative sizes.
#pragma once

#include "host/geom.h"

inline Point3 Box3Center(const Box3& box) {
    return {(box.pmin.x + box.pmax.x) / 2.0f, (box.pmin.y + box.pmax.y) / 2.0f, (box.pmin.z + box.pmax.z) / 2.0f};
}

inline Point3 Box3Size(const Box3& box) {
    return {box.pmax.x - box.pmin.x, box.pmax.y - box.pmin.y, box.pmax.z - box.pmin.z};
}
