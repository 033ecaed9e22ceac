// An orthographic top view: where a world point appears on a viewport's pixels.
#pragma once

#include "host/geom.h"

struct ScreenMapping {
    Point3 centre;  // the world point at the middle of the screen
    float pixelsPerUnit = 1.0f;
    int width = 640;
    int height = 480;

    // Pixel position, x to the right and y down; z keeps the world height.
    Point3 ToScreen(const Point3& world) const;
    // The point of the world XY plane under a pixel position.
    Point3 ToWorld(float sx, float sy) const;
    // A positive, finite scale: the mapping can be inverted.
    bool IsValid() const;
};
