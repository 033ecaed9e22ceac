// Tests and constructions in the XY plane; z is ignored unless stated.
#pragma once

#include "host/geom.h"

// Strictly inside: a point on the box's edge is outside.
bool PointInBoxXY(Point3 p, const Box3& b);

// Whether segments a-b and c-d cross. A point exactly on the other segment's line counts as
// not left of it, so parallel and collinear segments never cross, and an end point touching
// the other line crosses only when its segment's other end lies strictly to the left. A NaN
// coordinate never crosses.
bool SegmentsCrossXY(Point3 a, Point3 b, Point3 c, Point3 d);

// The point of line r-s that lies on line p-q; z is interpolated along r-s. Parallel lines
// divide by zero: ask only for pairs that SegmentsCrossXY accepted.
Point3 LineIntersectionXY(Point3 p, Point3 q, Point3 r, Point3 s);

// v turned by +90 degrees about Z, z dropped.
Point3 PerpXY(Point3 v);

// Offset direction at a polyline corner from incoming direction u to outgoing v: the unit left
// normal on a straight line, lengthened at a turn so that corner + w * m keeps distance w from
// both segments' lines. Opposite directions give the zero vector.
Point3 MiterDirection(Point3 u, Point3 v);
