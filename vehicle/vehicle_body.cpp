// The sprung body: kept on the chassis, and set on the ground wheel by wheel.
#include <algorithm>
#include <cmath>

#include "vehicle/spring_limits.h"
#include "vehicle/surface_octree.h"
#include "vehicle/vehicle_state.h"

void VehicleState::AlignBody() {
    const Point3 up = springTM.GetRow(2);
    Point3 d = springTM.GetTrans() - bodyTM.GetTrans();
    d -= up * DotProd(d, up);
    springTM.SetTrans(springTM.GetTrans() - d);
    const Point3 side = bodyTM.GetRow(0);
    Point3 forward = springTM.GetRow(1);
    forward -= side * DotProd(forward, side);
    forward -= up * DotProd(forward, up);
    springTM.SetRow(1, Normalize(forward));
    springTM.SetRow(0, CrossProd(springTM.GetRow(1), up));
    LimitSpringOffset(*this);
}

// Fifteen segments per wheel over the lower half of the tyre across its width, each lifted by
// the height and reaching as far below: a hit halfway is the ground at the tyre. A result below
// 0 is a segment that misses the ground's cube beside it, not a hit.
void VehicleState::GroundContact(SurfaceOctree& ground) {
    const float h = height;
    const Point3 ray = -springTM.GetRow(2) * h * 2.0f;
    for (int i = 0; i < 2 * axleCount; ++i) {
        Point3 w = wheelPos[i / 2];
        if (i % 2 == 0) w.x = -w.x;
        const Point3 size = wheelSize[i / 2];
        float f = 1.0f;
        for (int a = -2; a <= 2; ++a)
            for (int b = -1; b <= 1; ++b) {
                const float u = 0.3f * static_cast<float>(a), v = 0.7f * static_cast<float>(b);
                const Point3 local(w.x + v * size.x, w.y + u * size.y, w.z - std::sqrt(1.0f - u * u) * size.y + h);
                const float hit = ground.GroundHit(local * springTM, ray);
                if (hit >= 0.0f) f = std::min(f, hit);
            }
        suspension[i] = h - f * h * 2.0f;
    }
}
