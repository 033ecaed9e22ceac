// The access arc of a parking place in its object space: n pieces of a band between the
// circles of radius 2|s| and 4|s| around C = (3s, -hl), s = +-hw by the angle's sign. At angle 0
// the inner and outer points are the corners of the bay's -Y edge.
#pragma once

#include "host/geom.h"

struct ParkingArc {
    ParkingArc(float halfLength, float halfWidth, float angle);

    int pieces;  // 0 when the angle is 0
    Point3 Inner(int i) const;
    Point3 Outer(int i) const;

private:
    Point3 At(int i, float radius) const;

    float s_;
    float angle_;
    Point3 centre_;
};
