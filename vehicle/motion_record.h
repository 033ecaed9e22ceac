// A vehicle's recorded motion: 21 thinned channels, saved with the scene as one chunk.
#pragma once

#include <cstdint>

#include "host/geom.h"
#include "vehicle/motion_track.h"

class ILoad;
class ISave;
class VehicleState;
struct VehicleSnapshot;

// Channels 0-11 the sprung-body matrix by rows, 12-17 the suspension of the six wheels,
// 18 and 19 the front and rear wheel spin, 20 the steering angle.
constexpr int kMotionChannels = 21;
constexpr int kChannelSuspension = 12;
constexpr int kChannelSpin = 18;
constexpr int kChannelSteer = 20;
// The id of the vehicle object's chunk that holds the record.
constexpr unsigned short kMotionChunkID = 0x000A;

class MotionRecord {
public:
    MotionRecord() = default;
    MotionRecord(const MotionRecord&) = delete;
    MotionRecord& operator=(const MotionRecord&) = delete;
    ~MotionRecord() { Clear(); }

    // Room for one sample per frame of a run of `frames` frames, with the tolerances of the
    // vehicle's size.
    void Start(int frames, const VehicleState& vehicle);
    void Append(const VehicleSnapshot& snapshot);
    void Finish();
    void Clear();
    // Marked as recorded and holding at least one key: the record then replaces the rest pose.
    bool HasMotion() const { return hasMotion != 0 && tracks[0].KeyCount() > 0; }
    // Started (or loaded) and not cleared since, whether or not a sample has come.
    bool IsStarted() const { return hasMotion != 0; }
    // The world transform of part 0 (body) or 1-6 (wheels) at t; parts outside are refused.
    bool Evaluate(Matrix3& out, const VehicleState& vehicle, int part, std::int32_t t) const;
    const MotionTrack& Track(int channel) const { return tracks[channel]; }

    void Save(ISave* isave) const;
    // A chunk that does not hold 21 sound tracks, all empty or all keyed, leaves the record
    // cleared, so the vehicle shows its rest pose.
    void Load(ILoad* iload);

private:
    MotionTrack tracks[kMotionChannels];
    std::uint8_t hasMotion = 0;
};
