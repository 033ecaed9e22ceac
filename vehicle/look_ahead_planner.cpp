#include "vehicle/look_ahead_planner.h"

#include <algorithm>
#include <cmath>

#include "common/random_access.h"
#include "host/time.h"
#include "road/lane_network.h"
#include "traffic/zone_index.h"
#include "vehicle/vehicle_state.h"

namespace {
// One bicycle step of length step about the rear pivot, the front wheels turned by q sideways.
void BicycleStep(Matrix3& m, float pivot, float wheelbase, float step, float q) {
    const Point3 p = m.GetRow(3) + m.GetRow(1) * pivot;
    const Point3 forward = Normalize(m.GetRow(1) * (wheelbase + step) + m.GetRow(0) * q);
    m.SetRow(0, CrossProd(forward, m.GetRow(2)));
    m.SetRow(1, forward);
    m.SetRow(3, p + forward * (step - pivot));
}
}  // namespace

void LookAheadPlanner::Prepare(const VehicleState& owner, const LaneNetwork& network, const ZoneIndex& index,
                               const VehicleProbe& from, float step, float centre) {
    vehicle = &owner;
    lanes = &network;
    zones = &index;
    halfLength = owner.halfLength;
    halfWidth = owner.halfWidth;
    height = owner.height;
    probe = from;
    FillTables(step, centre);
}

void LookAheadPlanner::FillTables(float step, float centre) {
    const auto x = static_cast<float>(std::fabs(step) / 3.0 * GetMasterScale(UNITS_METERS) * 100.0);
    spacing = std::min(1.0f / (x + 0.01f), 0.3f);
    for (int i = 0; i < kSamples; ++i) {
        const float s = std::clamp(static_cast<float>(i - 10) * spacing + centre, -1.0f, 1.0f);
        tanTable[i] = std::tan(s);
        Matrix3 m;
        for (int j = 0; j < kSteps; ++j) {
            BicycleStep(m, vehicle->pivot, vehicle->wheelbase, step, tanTable[i] * step);
            stepTable[i][j] = m;
        }
    }
    // A slow vehicle steers by a fraction of the sample spacing.
    spacing = static_cast<float>(static_cast<double>(spacing) * (1.01 - static_cast<double>(std::exp(-100.0f * x))));
}

ZoneEffect& LookAheadPlanner::EvaluateBranch(ZoneEffect& out, Matrix3& pose, std::int32_t level, std::int32_t k) {
    const int i = k + 10;
    pose = stepTable[i][level + 4] * pose;
    probe.heading = pose.GetRow(1);
    probe.slot = level;
    lanes->SnapToWay(pose, height);

    ZoneEffect e{0.0, 0.0, 0.0, 0.0, kNoSpeedCap};
    const float r = Rand11();
    const float lf = halfLength + static_cast<float>(level + 4) * std::fabs(probe.speed) * 0.01f;
    const float w = halfWidth;
    probe.inner = 0;
    Sample(pose, r * w, lf, e);
    Sample(pose, -r * w, -lf, e);
    Sample(pose, -w, lf * (r / 2.0f + 0.5f), e);
    Sample(pose, -w, lf * (r / 2.0f - 0.5f), e);
    Sample(pose, w, -lf * (r / 2.0f + 0.5f), e);
    Sample(pose, w, -lf * (r / 2.0f - 0.5f), e);
    probe.inner = 1;
    Sample(pose, -0.4f * w, -0.6f * lf, e);
    Sample(pose, -0.4f * w, 0.6f * lf, e);
    Sample(pose, 0.4f * w, -0.6f * lf, e);
    Sample(pose, 0.4f * w, 0.6f * lf, e);

    // Sharper turns are taken slower.
    const float turnCap = vehicle->turnSpeed / (std::fabs(tanTable[i]) + 1e-5f);
    if (e.speedCap > turnCap) e.speedCap = turnCap;
    if (e.speedCap > vehicle->maxSpeed) e.speedCap = vehicle->maxSpeed;
    return out = e;
}

void LookAheadPlanner::Sample(const Matrix3& pose, float x, float y, ZoneEffect& e) {
    probe.position = Point3(x, y, 0.0f) * pose;
    lanes->EvaluateWays(probe, e);
    zones->Query(probe, e);
}
