// Transforms in a scene file: {"position", "rotation" (degrees about X, then Y, then Z), "scale"}
// or {"matrix": four rows}.
#pragma once

#include "host/geom.h"

class JsonPlace;

Matrix3 ReadTransform(const JsonPlace& place);
