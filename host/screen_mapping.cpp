#include "host/screen_mapping.h"

#include <cmath>

Point3 ScreenMapping::ToScreen(const Point3& world) const {
    return {width * 0.5f + (world.x - centre.x) * pixelsPerUnit, height * 0.5f - (world.y - centre.y) * pixelsPerUnit,
            world.z};
}

Point3 ScreenMapping::ToWorld(float sx, float sy) const {
    return {centre.x + (sx - width * 0.5f) / pixelsPerUnit, centre.y - (sy - height * 0.5f) / pixelsPerUnit, 0.0f};
}

bool ScreenMapping::IsValid() const { return std::isfinite(pixelsPerUnit) && pixelsPerUnit > 0.0f; }
