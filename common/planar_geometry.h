// Tests and constructions in the XY plane; z is ignored unless stated.
#pragma once

#include "host/geom.h"

// v turned by +90 degrees about Z, z dropped.
Point3 PerpXY(Point3 v);

// Offset direction at a polyline corner from incoming direction u to outgoing v: the unit left
// normal on a straight line, lengthened at a turn so that corner + w * m keeps distance w from
// both segments' lines. Opposite directions give the zero vector.
Point3 MiterDirection(Point3 u, Point3 v);
