// The state of one segment search through the ground octree, local to the query.
#pragma once

#include "host/geom.h"

struct SurfaceRay {
    Point3 dir;     // the segment is origin + s * dir, s in [0, 1]
    Point3 origin;
    float lo = 0.0f;     // where the walk stands
    float hi = 1.0f;     // the nearest hit so far, or where the segment leaves the cube
    float start = 0.0f;  // where the segment enters the cube: hits are accepted from here on
};

// Where the segment leaves box, and through which face (0..5: -x, +x, -y, +y, -z, +z); the
// earlier axis wins a tie. face is -1 when no component of dir leads out.
struct BoxExit {
    float t = 1e30f;
    int face = -1;
};
BoxExit ExitBox(const SurfaceRay& ray, const Box3& box);

// Narrows [lo, hi] to the part of the segment inside box; false when nothing of it is inside.
bool ClipToBox(SurfaceRay& ray, const Box3& box);
