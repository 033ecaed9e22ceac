#include "vehicle/spring_limits.h"

#include <algorithm>
#include <cmath>

#include "vehicle/vehicle_state.h"

namespace {
constexpr int kSpringIterations = 10;

// Over one step the vertical mode of (rate, offset) has the matrix
// [[c^10, g S], [-dt c^10, 1 - dt g S]]: c = 1 - 0.06 dt sqrt(k) is the damping of one of the
// ten iterations, g = 0.13 dt k, S = c + c^2 + ... + c^10. With trace T and determinant
// D = c^10 it settles exactly while D < 1 and -(1 + D) < T < 1 + D, that is while
// 0 < dt g S < 2 (1 + c^10): for k up to about 3369.5 at the run's step of 0.033 s. It settles
// again only where the damping alone nearly stops the rate in each iteration (c near 0, about
// 255,000), a window no rigidity below it can be trusted to reach. Pitch and roll couple more
// weakly while the wheels lie within the body.
bool Settles(float dt, double k) {
    const double c = 1.0 - 0.06 * dt * std::sqrt(k);
    double power = 1.0, sum = 0.0;
    for (int j = 0; j < kSpringIterations; ++j) sum += power *= c;
    const double gain = dt * 0.13 * dt * k * sum;
    return power < 1.0 && gain > 0.0 && gain < 2.0 * (1.0 + power);
}
}  // namespace

// The end of the stable range that starts at 0, found by halving up to where one iteration
// halves the rate (c = 1/2), which lies well past it.
double StableRigidity(float dt) {
    const double halving = 0.5 / (0.06 * dt);
    double lo = 0.0, hi = halving * halving;
    for (int i = 0; i < 40; ++i) {
        const double mid = 0.5 * (lo + hi);
        (Settles(dt, mid) ? lo : hi) = mid;
    }
    return lo;
}

void LimitSpringOffset(VehicleState& state) {
    const Point3 up = state.springTM.GetRow(2);
    const float offset = DotProd(state.springTM.GetTrans() - state.bodyTM.GetTrans(), up);
    if (!(std::fabs(offset) > state.height)) return;
    const float limited = std::clamp(offset, -state.height, state.height);
    state.springTM.SetTrans(state.springTM.GetTrans() - up * (offset - limited));
    if (state.bodyRate.z * offset > 0.0f) state.bodyRate.z = 0.0f;
}
