#include "road/junction_link.h"

#include <cmath>

namespace {
constexpr float kStraightTolerance = 1e-4f;
}  // namespace

bool LinksTo(const LaneEnd& a, const LaneEnd& b, bool leftTurn, bool rightTurn) {
    const Point3 d = b.pos - a.pos;
    if (!(DotProd(d, a.dir) > 0.0f) || !(DotProd(d, b.dir) > 0.0f)) return false;
    const float side = DotProd(d, a.lateral);
    if (std::fabs(side) <= kStraightTolerance * Length(d) * Length(a.lateral)) return false;
    return side < 0.0f ? rightTurn : side > 0.0f && leftTurn;
}
