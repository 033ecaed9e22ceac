#include "vehicle/surface_ray.h"

BoxExit ExitBox(const SurfaceRay& ray, const Box3& box) {
    BoxExit exit;
    for (int axis = 0; axis < 3; ++axis) {
        const float d = ray.dir[axis];
        if (!(d > 0.0f) && !(d < 0.0f)) continue;
        const float bound = d > 0.0f ? box.pmax[axis] : box.pmin[axis];
        const float t = (bound - ray.origin[axis]) / d;
        if (t < exit.t) {
            exit.t = t;
            exit.face = 2 * axis + (d > 0.0f ? 1 : 0);
        }
    }
    return exit;
}

bool ClipToBox(SurfaceRay& ray, const Box3& box) {
    if (box.Contains(ray.origin)) {
        const BoxExit exit = ExitBox(ray, box);
        if (exit.t < ray.hi) ray.hi = exit.t;
        return ray.hi > ray.lo;
    }
    for (int axis = 0; axis < 3; ++axis) {
        const float d = ray.dir[axis];
        const float o = ray.origin[axis];
        if (d == 0.0f) {
            if (o < box.pmin[axis] || o > box.pmax[axis]) return false;
            continue;
        }
        const float nearBound = d > 0.0f ? box.pmin[axis] : box.pmax[axis];
        const float farBound = d > 0.0f ? box.pmax[axis] : box.pmin[axis];
        const float nearT = (nearBound - o) / d;
        const float farT = (farBound - o) / d;
        if (nearT > ray.lo) ray.lo = nearT;
        if (farT < ray.hi) ray.hi = farT;
    }
    return ray.hi > ray.lo;
}
