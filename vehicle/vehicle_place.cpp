#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "common/random_access.h"
#include "host/win32.h"
#include "road/lane_network.h"
#include "traffic/zone_shape.h"
#include "vehicle/vehicle_probe_fill.h"
#include "vehicle/vehicle_state.h"

namespace {
constexpr int kTries = 1000;
constexpr int kSamples = 100;

// Where each placed zone may act: the XY bounds outside which it accepts no probe, or none for a
// zone that cannot be bounded, which every try meets.
std::vector<std::optional<ApplyBounds>> ReachOf(const TrafficZone* placed, int n) {
    std::vector<std::optional<ApplyBounds>> reach(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        if (!IsIndexable(placed[k])) continue;
        ZoneBounds bounds;
        ZoneAxes axes;
        MakeZoneShape(placed[k], bounds, axes);
        reach[static_cast<std::size_t>(k)] = ApplyBoundsOf(bounds);
    }
    return reach;
}

// Every sample of the footprint on a way open to the vehicle and clear of the placed zones. A
// placed zone only blocks or lowers the cap, whatever the order, so the zones that cannot reach
// any sample are left out.
bool IsFree(VehicleProbe& probe, const Matrix3& m, float halfWidth, float reach, const TrafficZone* placed,
            const std::vector<std::optional<ApplyBounds>>& reaches, std::vector<int>& nearby,
            const LaneNetwork& lanes) {
    Point3 at[kSamples];
    float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    bool bounded = true;
    for (Point3& p : at) {
        const float x = halfWidth * Rand11();
        const float y = reach * Rand11();
        p = Point3(x, y, 0.0f) * m;
        bounded = bounded && std::isfinite(p.x) && std::isfinite(p.y);
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    nearby.clear();
    for (std::size_t k = 0; k < reaches.size(); ++k) {
        const std::optional<ApplyBounds>& b = reaches[k];
        if (bounded && b && (b->maxX < minX || b->minX > maxX || b->maxY < minY || b->minY > maxY)) continue;
        nearby.push_back(static_cast<int>(k));
    }
    ZoneEffect effect;
    for (const Point3& p : at) {
        probe.position = p;
        lanes.EvaluateWays(probe, effect);
        for (const int k : nearby) placed[k].Apply(probe, effect);
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
    const std::vector<std::optional<ApplyBounds>> reaches = ReachOf(placed, n);
    std::vector<int> nearby;
    Matrix3 m;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!lanes.PlaceOnRandomWay(m)) break;
        probe.bodyTM = m;
        probe.heading = m.GetRow(1);
        if (!IsFree(probe, m, halfWidth, halfLength + wheelbase, placed, reaches, nearby, lanes)) continue;
        placed[n].Init(m, 0, 2.0f * halfWidth, halfLength, 0, RuleVehicle, 0.0f);
        for (int k = 0; k < 8; ++k) zones[k].Init(m, OwnerTag(), halfWidth, halfLength, k, RuleVehicle, 0.0f);
        ResetAt(m, t);
        return true;
    }
    MessageBeep(0);
    return false;
}
