#include <algorithm>
#include <cmath>

#include "host/time.h"
#include "road/way_record.h"

namespace {
// The inner samples' score: highest for a vehicle centred on the way, heading along it, and
// turned across it as far as its wander asks.
float ShapedScore(const WayRecord& way, const VehicleProbe& probe, const Point3& p, float d) {
    // A float dot product of unit vectors can exceed 1, and asinf would then give NaN for the
    // best aligned way.
    const float s = (1.0f + 3.0f * (1.0f - std::fabs(p.y / way.halfY))) * std::asin(std::min(d, 1.0f));
    const float e = DotProd(way.frame.GetRow(1), probe.bodyTM.GetRow(0));
    return s * (4.0f - 3.0f * std::fabs(std::fabs(e) - probe.wander));
}

// 10 km/h per look-ahead slot, in scene units per second.
double SlotAllowance(std::int32_t slot) {
    return static_cast<double>(static_cast<float>(slot * 10)) / (GetMasterScale(UNITS_KILOMETERS) * 3600.0);
}
}  // namespace

void WayRecord::Evaluate(const VehicleProbe& probe, ZoneEffect& effect) const {
    const Point3 p = probe.position * inverse;
    if (!(std::fabs(p.x) <= halfX) || !(std::fabs(p.y) <= halfY) || !(std::fabs(p.z) <= probe.size.z)) return;

    if (probe.inner) {
        if (isBusStop || isParking) effect.stopTerm = -20.0;
        effect.priority = 16.0 - probe.slot;
    }
    if (!OpenTo(probe.type)) return;
    const float d = DotProd(probe.heading, frame.GetRow(0));
    if (d < 0.0f) return;

    float s = 1.0f;
    if (probe.inner) {
        s = ShapedScore(*this, probe, p, d);
        if ((probe.busMayStop && isBusStop) || (probe.carMayPark && isParking)) {
            effect.stopTerm = 16.0 - probe.slot;
            if (effect.speedCap > maxSpeed) effect.speedCap = maxSpeed;
        }
    }
    if (static_cast<double>(s) >= effect.score) effect.score = s;
    const float cap = static_cast<float>(static_cast<double>(maxSpeed) + SlotAllowance(probe.slot));
    if (effect.speedCap > cap) effect.speedCap = cap;
    effect.found = 1.0;
}
