#include "vehicle/surface_ray.h"

BoxExit SurfaceRay::ExitBox(const Box3& box) const {
    BoxExit exit;
    for (int axis = 0; axis < 3; ++axis) {
        const float d = dir[axis];
        if (!(d > 0.0f) && !(d < 0.0f)) continue;
        const float bound = d > 0.0f ? box.pmax[axis] : box.pmin[axis];
        const float t = (bound - origin[axis]) / d;
        if (t < exit.t) {
            exit.t = t;
            exit.face = 2 * axis + (d > 0.0f ? 1 : 0);
        }
    }
    return exit;
}

bool SurfaceRay::ClipToBox(const Box3& box) {
    if (box.Contains(origin)) {
        const BoxExit exit = ExitBox(box);
        if (exit.t < hi) hi = exit.t;
        return hi > lo;
    }
    for (int axis = 0; axis < 3; ++axis) {
        const float d = dir[axis];
        const float o = origin[axis];
        if (d == 0.0f) {
            if (o < box.pmin[axis] || o > box.pmax[axis]) return false;
            continue;
        }
        const float nearBound = d > 0.0f ? box.pmin[axis] : box.pmax[axis];
        const float farBound = d > 0.0f ? box.pmax[axis] : box.pmin[axis];
        const float nearT = (nearBound - o) / d;
        const float farT = (farBound - o) / d;
        if (nearT > lo) lo = nearT;
        if (farT < hi) hi = farT;
    }
    return hi > lo;
}
