// Tests and constructions in the XY plane; z is ignored unless stated.
#pragma once

#include "host/geom.h"

// v turned by +90 degrees about Z, z dropped.
Point3 PerpXY(Point3 v);

// Whether segments a-b and c-d cross: each line has exactly one end of the other segment
// strictly on its left. Parallel and collinear segments never cross.
bool SegmentsCrossXY(Point3 a, Point3 b, Point3 c, Point3 d);
// The point of line r-s that lies on line p-q in XY, its z interpolated along r-s. The lines
// must not be parallel.
Point3 LineIntersectionXY(Point3 p, Point3 q, Point3 r, Point3 s);

// Offset direction at a polyline corner from incoming direction u to outgoing v: the unit left
// normal on a straight line, lengthened at a turn so that corner + w * m keeps distance w from
// both segments' lines. Opposite directions give the zero vector.
Point3 MiterDirection(Point3 u, Point3 v);
