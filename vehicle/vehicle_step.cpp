#include <cmath>

#include "common/random_access.h"
#include "host/time.h"
#include "road/lane_network.h"
#include "vehicle/look_ahead_planner.h"
#include "vehicle/plan_node.h"
#include "vehicle/vehicle_probe_fill.h"
#include "vehicle/vehicle_state.h"

namespace {
double Metres(double m) { return m / GetMasterScale(UNITS_METERS); }

// A ratio with no priority behind it, or none that can be told, is no wish to stop: a NaN here
// would reach every later plan and zone of the vehicle.
float ShareOf(const ZoneEffect& e) {
    const double share = e.priority > 0.0 ? e.stopTerm / e.priority : 0.0;
    return std::isfinite(share) ? static_cast<float>(share) : 0.0f;
}
}  // namespace

void VehicleState::Step(float dt, const LaneNetwork& lanes, const ZoneIndex& zoneIndex, SurfaceOctree& ground) {
    if (!IsDrivable()) return;
    // Plan A at the present speed, plan B a little faster (slower backing up, or near a stop).
    const float stepA = speed * 0.025f;
    float stepB = static_cast<float>(Metres(0.08));
    if (type == 0) stepB *= 1.0f - 0.8f * std::pow(StopShare(), 0.25f);
    if (reverse) stepB = -stepB * 0.3f;
    stepB += stepA;

    const VehicleProbe probe = ProbeOf(*this, true);
    LookAheadPlanner plannerA, plannerB;
    plannerA.Prepare(*this, lanes, zoneIndex, probe, stepA, steer);
    plannerB.Prepare(*this, lanes, zoneIndex, probe, stepB, steer);
    PlanTree treeA, treeB;
    PlanNode& rootA = treeA.Grow(bodyTM, plannerA);
    PlanNode& rootB = treeB.Grow(bodyTM, plannerB);
    ZoneEffect effectA, effectB;
    rootA.BestTotal(effectA);
    rootB.BestTotal(effectB);

    const bool faster = (effectB.found > 0.0 || effectB.found > effectA.found) &&
                        effectB.speedCap * temper > std::fabs(speed) + static_cast<float>(Metres(0.01)) &&
                        stopTimer < 0.0;
    if (faster)
        accel += (accelRate * temper - accel) * 0.2f;
    else
        accel += (-std::fabs(speed) - accelRate * temper - accel) * 0.2f;

    // Every other rewrite, at random, may be skipped; never two skips running.
    if (zonesWritten == 1 && Rand01() <= 0.5f) {
        zonesWritten = 0;
    } else {
        (faster ? rootB : rootA).WriteZones(zones, 0, faster ? plannerB : plannerA);
        zones[0].Init(bodyTM, OwnerTag(), halfWidth, halfLength, 0, RuleVehicle, 0.0f);
        zonesWritten = 1;
    }
    steerRate = stopTimer < 0.0 ? rootB.Steer() * plannerA.spacing * 5.0f : 0.0f;
    stopShare[0] = ShareOf(effectA);
    if (travelled < 6.0 && type == 0) reverse = CanDriveForward(wheelbase * 0.04f, lanes, zoneIndex) ? 0 : 1;

    Integrate(dt, ground);
    lanes.SnapToWay(bodyTM, height);
    VehicleSnapshot snapshot;
    record.Append(TakeSnapshot(snapshot));
}
