// One viewport segment. The caller sets transform and colour and brackets runs of these with
// the window's startSegments/endSegments.
#pragma once

#include "host/geom.h"
#include "host/graphics_window.h"

void DrawLine(GraphicsWindow* gw, Point3 p0, Point3 p1);
