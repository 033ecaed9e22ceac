#include "common/planar_geometry.h"

namespace {
float DotXY(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y; }

// Positive when p lies left of the directed line a->b.
float Side(Point3 a, Point3 b, Point3 p) { return DotXY(p - a, PerpXY(b - a)); }

// Leaves a zero (or NaN) length alone rather than dividing by it.
Point3 NormalizedIfLong(Point3 v) {
    const float len = v.Length();
    return len > 0.0f ? v / len : v;
}
}  // namespace

Point3 PerpXY(Point3 v) { return {-v.y, v.x, 0.0f}; }

bool SegmentsCrossXY(Point3 a, Point3 b, Point3 c, Point3 d) {
    // Each line must have exactly one end of the other segment strictly on its left. Asking
    // "left?" of both ends makes a NaN side count as not left, so NaN never crosses.
    if ((Side(a, b, c) > 0.0f) == (Side(a, b, d) > 0.0f)) return false;
    return (Side(c, d, a) > 0.0f) != (Side(c, d, b) > 0.0f);
}

Point3 LineIntersectionXY(Point3 p, Point3 q, Point3 r, Point3 s) {
    const Point3 n = PerpXY(q - p);
    const float t = DotXY(p - r, n) / DotXY(s - r, n);
    return r * (1.0f - t) + s * t;
}

Point3 MiterDirection(Point3 u, Point3 v) {
    const Point3 a = NormalizedIfLong(PerpXY(u));
    const Point3 b = NormalizedIfLong(PerpXY(v));
    Point3 m = NormalizedIfLong(a + b);
    const float d = DotProd(m, b);
    if (d > 0.0f) m = m / d;
    return m;
}
