// The state of one segment search through the ground octree, local to the query.
#pragma once

#include "host/geom.h"

// Where a segment leaves a box, and through which face (0..5: -x, +x, -y, +y, -z, +z); face is
// -1 when no component of the direction leads out.
struct BoxExit {
    float t = 1e30f;
    int face = -1;
};

struct SurfaceRay {
    Point3 dir;     // the segment is origin + s * dir, s in [0, 1]
    Point3 origin;
    float lo = 0.0f;     // where the walk stands
    float hi = 1.0f;     // the nearest hit so far, or where the segment leaves the cube
    float start = 0.0f;  // where the segment enters the cube: hits are accepted from here on

    // The earlier axis wins a tie.
    BoxExit ExitBox(const Box3& box) const;
    // Narrows [lo, hi] to the part of the segment inside box; false when nothing of it is inside.
    bool ClipToBox(const Box3& box);
};
