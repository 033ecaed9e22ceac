#include "common/planar_geometry.h"

namespace {
// Leaves a zero (or NaN) length alone rather than dividing by it.
Point3 NormalizedIfLong(Point3 v) {
    const float len = v.Length();
    return len > 0.0f ? v / len : v;
}
}  // namespace

Point3 PerpXY(Point3 v) { return {-v.y, v.x, 0.0f}; }

Point3 MiterDirection(Point3 u, Point3 v) {
    const Point3 a = NormalizedIfLong(PerpXY(u));
    const Point3 b = NormalizedIfLong(PerpXY(v));
    Point3 m = NormalizedIfLong(a + b);
    const float d = DotProd(m, b);
    if (d > 0.0f) m = m / d;
    return m;
}
