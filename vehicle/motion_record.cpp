#include "vehicle/motion_record.h"

#include <algorithm>
#include <cmath>

#include "vehicle/part_transform.h"
#include "vehicle/vehicle_state.h"

namespace {
float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

void ChannelTolerances(const VehicleState& vehicle, float out[kMotionChannels]) {
    const float position = Finite(vehicle.halfWidth * 0.002f);
    const float axis = Finite(vehicle.halfWidth * 0.002f / vehicle.halfLength);
    for (int c = 0; c < 9; ++c) out[c] = axis;
    for (int c = 9; c < kChannelSpin; ++c) out[c] = position;
    for (int c = kChannelSpin; c < kMotionChannels; ++c) out[c] = 0.002f;
}
}  // namespace

void MotionRecord::Start(int frames, const VehicleState& vehicle) {
    Clear();
    float tolerance[kMotionChannels];
    ChannelTolerances(vehicle, tolerance);
    for (int c = 0; c < kMotionChannels; ++c) tracks[c].Init(frames, tolerance[c]);
    hasMotion = 1;
}

void MotionRecord::Append(const VehicleSnapshot& s) {
    float v[kMotionChannels];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) v[3 * r + c] = s.springTM[r][c];
    for (int i = 0; i < 6; ++i) v[kChannelSuspension + i] = s.suspension[i];
    v[kChannelSpin] = s.spin[0];
    v[kChannelSpin + 1] = s.spin[1];
    v[kChannelSteer] = s.steerAvg;
    for (int c = 0; c < kMotionChannels; ++c) tracks[c].AddKey(v[c], s.time);
}

void MotionRecord::Finish() {
    for (MotionTrack& track : tracks) track.Flush();
}

void MotionRecord::Clear() {
    if (hasMotion == 0) return;
    for (MotionTrack& track : tracks) track.Free();
    hasMotion = 0;
}

bool MotionRecord::Evaluate(Matrix3& out, const VehicleState& vehicle, int part, std::int32_t t) const {
    if (!IsVehiclePart(part)) return false;
    Matrix3 body;
    for (int r = 0; r < 4; ++r)
        body[r] = {tracks[3 * r].Evaluate(t), tracks[3 * r + 1].Evaluate(t), tracks[3 * r + 2].Evaluate(t)};
    body.ClearFlags();
    if (part == 0) {
        out = body;
        return true;
    }
    const int wheel = part - 1;
    const float spin = tracks[kChannelSpin + std::min(wheel / 2, 1)].Evaluate(t);
    const float steer = tracks[kChannelSteer].Evaluate(t);
    const float lift = tracks[kChannelSuspension + wheel].Evaluate(t);
    out = WheelInBody(vehicle.wheelPos, wheel, spin, steer, lift) * body;
    return true;
}

void MotionRecord::Save(ISave* isave) const {
    for (const MotionTrack& track : tracks) track.Save(isave);
}

void MotionRecord::Load(ILoad* iload) {
    Clear();
    hasMotion = 1;
    int keyed = 0;
    for (MotionTrack& track : tracks) {
        if (!track.Load(iload)) {
            Clear();
            return;
        }
        if (track.KeyCount() > 0) ++keyed;
    }
    if (keyed != 0 && keyed != kMotionChannels) Clear();
}
