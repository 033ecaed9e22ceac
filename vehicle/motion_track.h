// One recorded float channel, thinned while it is recorded: a sample becomes a key only when no
// straight line from the last key passes within the tolerance of every sample since.
#pragma once

#include <cstdint>
#include <memory>

class ILoad;
class ISave;

struct MotionKey {
    float value = 0.0f;
    std::int32_t time = 0;  // ticks
};

class MotionTrack {
public:
    // Room for `capacity` keys (a negative capacity is 0); the corridor wide open.
    void Init(int capacity, float tolerance);
    // Samples must come in ascending time; one at or before the latest sample is ignored.
    void AddKey(float value, std::int32_t time);
    // Commits the latest sample and shrinks the keys to their count.
    void Flush();
    void Free();
    // 0 for a track without keys; the end values outside the keyed range.
    float Evaluate(std::int32_t time) const;

    // Count, then value and time of each key, little-endian.
    void Save(ISave* isave) const;
    // Reads one track saved by Save. False, with the track emptied, when the count exceeds the
    // bytes left, a read falls short, a value is not finite or the times do not strictly ascend.
    bool Load(ILoad* iload);

    int KeyCount() const { return keyCount; }
    const MotionKey& Key(int i) const { return keys[static_cast<std::size_t>(i)]; }

private:
    void Commit(const MotionKey& key);
    void OpenCorridor(const MotionKey& from, float value, std::int32_t time);

    float minSlope = -1e6f;  // value per tick
    float maxSlope = 1e6f;
    int keyCount = 0;
    float tolerance = 0.0f;
    std::unique_ptr<MotionKey[]> keys;
    MotionKey pending;  // the latest sample, not yet committed
    int capacity = 0;
};
