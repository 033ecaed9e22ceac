#include "vehicle/spring_limits.h"

#include <algorithm>
#include <cmath>

#include "vehicle/vehicle_state.h"

namespace {
constexpr int kSpringIterations = 10;

// Over one step the vertical mode of (rate, offset) has the matrix
// [[c^10, -g S], [dt c^10, 1 - dt g S]]: c = 1 - 0.06 dt sqrt(k) is the damping of one of the
// ten iterations, g = 0.13 dt k, S = c + c^2 + ... + c^10. Its trace is T = 1 + c^10 - dt g S
// and its determinant c^10. While T^2 < 4 c^10 the eigenvalues are a complex pair of modulus
// c^5, and the body swings back smoothly, losing much of its lift each step. Past that
// rigidity (about 3,080.6 at 0.033 s) one eigenvalue turns negative and grows towards -1: the
// body overshoots every step, slower and slower to settle, and at the stability limit (about
// 3,369.5) it bounces for ever. Pitch and roll are stiffened less while the wheels lie within
// the body.
bool SwingsSmoothly(float dt, double k) {
    const double c = 1.0 - 0.06 * dt * std::sqrt(k);
    double power = 1.0, sum = 0.0;
    for (int j = 0; j < kSpringIterations; ++j) sum += power *= c;
    const double trace = 1.0 + power - dt * 0.13 * dt * k * sum;
    return trace * trace < 4.0 * power;
}
}  // namespace

// The smooth range starts at 0 and ends well before one iteration halves the rate (c = 1/2).
double RigidityCap(float dt) {
    const double halving = 0.5 / (0.06 * dt);
    double lo = 0.0, hi = halving * halving;
    for (int i = 0; i < 40; ++i) {
        const double mid = 0.5 * (lo + hi);
        (SwingsSmoothly(dt, mid) ? lo : hi) = mid;
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
