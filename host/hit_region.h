// The screen area a pick is made with, and how far a drawn segment passes from it.
#pragma once

#include <optional>

#include "host/geom.h"

// Kinds of hit test the host asks an object for.
constexpr int HITTYPE_POINT = 1;
constexpr int HITTYPE_BOX = 2;

struct HitRegion {
    enum class Kind { None, Point, Rect };
    Kind kind = Kind::None;  // None hits nothing
    // Box regions: 1 hits what crosses the box, 0 only what lies wholly inside it.
    int crossing = 1;
    int epsilon = 0;  // point regions: the largest distance in pixels that still hits
    IPoint2 point;
    IPoint2 rectMin, rectMax;
};

// A point region at p[0], or a box region spanned by p[0] and p[1] in any order. A null p or
// an unknown type gives a region that hits nothing.
void MakeHitRegion(HitRegion& hr, int type, int crossing, int epsilon, IPoint2* p);

// The distance in pixels at which the screen segment a-b hits the region (0 for box regions),
// or nothing when it misses. Only x and y of a and b are read.
std::optional<float> SegmentHitDistance(const HitRegion& region, const Point3& a, const Point3& b);
