#include <cmath>

#include "common/random_access.h"
#include "host/win32.h"
#include "road/lane_network.h"
#include "vehicle/vehicle_probe_fill.h"
#include "vehicle/vehicle_state.h"

namespace {
constexpr int kTries = 1000;
constexpr int kSamples = 100;

// Every sample of the footprint on a way open to the vehicle and clear of the placed zones.
bool IsFree(VehicleProbe& probe, const Matrix3& m, float halfWidth, float reach, const TrafficZone* placed, int n,
            const LaneNetwork& lanes) {
    ZoneEffect effect;
    for (int s = 0; s < kSamples; ++s) {
        const float x = halfWidth * Rand11();
        const float y = reach * Rand11();
        probe.position = Point3(x, y, 0.0f) * m;
        lanes.EvaluateWays(probe, effect);
        for (int k = 0; k < n; ++k) placed[k].Apply(probe, effect);
    }
    return effect.found >= 0.0;
}
}  // namespace

bool VehicleState::Place(TrafficZone* placed, int n, const LaneNetwork& lanes, std::int32_t t) {
    if (!IsDrivable()) {
        MessageBeep(0);
        return false;
    }
    temper = std::exp(0.2f * Rand11());
    VehicleProbe probe = ProbeOf(*this, false);
    probe.speed = 0.0f;
    Matrix3 m;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!lanes.PlaceOnRandomWay(m)) break;
        probe.bodyTM = m;
        probe.heading = m.GetRow(1);
        if (!IsFree(probe, m, halfWidth, halfLength + wheelbase, placed, n, lanes)) continue;
        placed[n].Init(m, 0, 2.0f * halfWidth, halfLength, 0, RuleVehicle, 0.0f);
        for (int k = 0; k < 8; ++k) zones[k].Init(m, OwnerTag(), halfWidth, halfLength, k, RuleVehicle, 0.0f);
        ResetAt(m, t);
        return true;
    }
    MessageBeep(0);
    return false;
}
