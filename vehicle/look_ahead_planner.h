// The per-step look-ahead: steering motions precomputed for 21 samples, and the scoring of one
// branch's footprint against the lanes and the zones.
#pragma once

#include <cstdint>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"

class LaneNetwork;
class VehicleState;
class ZoneIndex;

class LookAheadPlanner {
public:
    static constexpr int kSamples = 21;  // steering samples; sample 10 is the centre
    static constexpr int kSteps = 12;    // bicycle steps kept per sample

    // Keeps the vehicle, lanes and zones for the step and fills the tables for steps of length
    // `step` (negative backs up) around the steering centre.
    void Prepare(const VehicleState& owner, const LaneNetwork& network, const ZoneIndex& index,
                 const VehicleProbe& from, float step, float centre);
    // Moves pose level + 5 steps along the sample of steering index k (-10..10), snaps it and
    // scores its footprint into out.
    ZoneEffect& EvaluateBranch(ZoneEffect& out, Matrix3& pose, std::int32_t level, std::int32_t k);

    float halfLength = 0.0f;
    float halfWidth = 0.0f;
    float height = 0.0f;
    // stepTable[i][j]: the local pose after j + 1 steps along sample i.
    Matrix3 stepTable[kSamples][kSteps];
    float tanTable[kSamples] = {};
    const LaneNetwork* lanes = nullptr;
    const ZoneIndex* zones = nullptr;
    const VehicleState* vehicle = nullptr;
    // Steering units between neighbouring samples; after Prepare, the value the step steers by.
    float spacing = 0.0f;
    VehicleProbe probe;

private:
    void FillTables(float step, float centre);
    void Sample(const Matrix3& pose, float x, float y, ZoneEffect& e);
};
