#include <cmath>

#include "common/random_access.h"
#include "road/lane_network.h"

bool LaneNetwork::PlaceOnRandomWay(Matrix3& out) const {
    // One draw per way, so the choice depends only on the array and the generator's state.
    std::int32_t best = -1;
    float bestValue = -1.0f;
    for (std::int32_t i = 0; i < count; ++i) {
        const float v = ways[i].halfX / Rand01();
        if (ways[i].IsInert() || !std::isfinite(v)) continue;
        if (v > bestValue) {
            best = i;
            bestValue = v;
        }
    }
    if (best < 0) return false;

    const WayRecord& way = ways[best];
    const Point3 q = Point3(way.halfX * Rand11(), 0.0f, 0.0f) * way.frame;
    Matrix3 r;
    r.IdentityMatrix();
    r.RotateZ(-1.5707964f);
    // Rows become -Y, X, X x Y: the vehicle's forward axis runs along the travel direction.
    out = r * way.frame;
    out.SetRow(3, q);
    return true;
}
