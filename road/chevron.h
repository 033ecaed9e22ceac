// Direction marks drawn into a spline shape.
#pragma once

#include "host/geom.h"

class Spline3D;

// Appends the corner knots a, b and c, each taken through inverse (world to object space).
void AddChevron(Spline3D* spline, Point3 a, Point3 b, Point3 c, const Matrix3& inverse);
