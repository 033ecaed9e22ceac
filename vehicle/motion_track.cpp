#include "vehicle/motion_track.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "host/save_load.h"

namespace {
constexpr std::size_t kKeyBytes = 8;

void WriteU32(ISave* isave, std::uint32_t v) {
    std::uint8_t b[4];
    for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
    isave->Write(b, 4, nullptr);
}

// Tick differences may exceed 32 bits between far-apart keys of a loaded track.
float Ticks(std::int32_t later, std::int32_t earlier) {
    return static_cast<float>(static_cast<std::int64_t>(later) - earlier);
}

bool ReadU32(ILoad* iload, std::uint32_t& v) {
    std::uint8_t b[4];
    if (iload->Read(b, 4, nullptr) != IO_OK) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[i]) << (8 * i);
    return true;
}
}  // namespace

void MotionTrack::Init(int newCapacity, float newTolerance) {
    capacity = std::max(newCapacity, 0);
    keys.reset(new MotionKey[static_cast<std::size_t>(capacity)]);
    keyCount = 0;
    tolerance = newTolerance;
    minSlope = -1e6f;
    maxSlope = 1e6f;
    pending = MotionKey{};
}

void MotionTrack::Commit(const MotionKey& key) {
    // A full track drops the key rather than write past its end; a key is never repeated.
    if (keyCount >= capacity) return;
    if (keyCount > 0 && key.time <= keys[static_cast<std::size_t>(keyCount - 1)].time) return;
    keys[static_cast<std::size_t>(keyCount++)] = key;
}

void MotionTrack::OpenCorridor(const MotionKey& from, float value, std::int32_t time) {
    const float dt = Ticks(time, from.time);
    minSlope = (value - tolerance - from.value) / dt;
    maxSlope = (value + tolerance - from.value) / dt;
}

void MotionTrack::AddKey(float value, std::int32_t time) {
    if (keyCount == 0) {
        if (capacity == 0) return;
        keys[0] = {value, time};
        keyCount = 1;
        pending = {value, time};
        return;
    }
    if (time <= pending.time) return;
    const MotionKey& last = keys[static_cast<std::size_t>(keyCount - 1)];
    const float dt = Ticks(time, last.time);
    const float lo = (value - tolerance - last.value) / dt;
    const float hi = (value + tolerance - last.value) / dt;
    if (maxSlope > hi) maxSlope = hi;
    if (lo > minSlope) minSlope = lo;
    if (minSlope > maxSlope) {
        Commit(pending);
        OpenCorridor(pending, value, time);
    }
    pending = {value, time};
}

void MotionTrack::Flush() {
    if (keyCount == 0) return;
    Commit(pending);
    // Shrinking only saves memory: without room for the copy the keys stay where they are.
    std::unique_ptr<MotionKey[]> shrunk(new (std::nothrow) MotionKey[static_cast<std::size_t>(keyCount)]);
    if (!shrunk) return;
    std::copy(keys.get(), keys.get() + keyCount, shrunk.get());
    keys = std::move(shrunk);
    capacity = keyCount;
}

void MotionTrack::Free() {
    keys.reset();
    keyCount = 0;
    capacity = 0;
}

float MotionTrack::Evaluate(std::int32_t t) const {
    const int n = keyCount;
    if (n == 0) return 0.0f;
    if (t < keys[0].time) return keys[0].value;
    if (t > keys[static_cast<std::size_t>(n - 1)].time) return keys[static_cast<std::size_t>(n - 1)].value;
    int lo = 0, hi = n - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (t > keys[static_cast<std::size_t>(mid)].time)
            lo = mid;
        else
            hi = mid;
    }
    const MotionKey& a = keys[static_cast<std::size_t>(lo)];
    const MotionKey& b = keys[static_cast<std::size_t>(hi)];
    if (lo == hi) return a.value;
    return (a.value * Ticks(b.time, t) + b.value * Ticks(t, a.time)) / Ticks(b.time, a.time);
}

void MotionTrack::Save(ISave* isave) const {
    WriteU32(isave, static_cast<std::uint32_t>(keyCount));
    for (int i = 0; i < keyCount; ++i) {
        const MotionKey& k = keys[static_cast<std::size_t>(i)];
        std::uint32_t bits;
        std::memcpy(&bits, &k.value, 4);
        WriteU32(isave, bits);
        WriteU32(isave, static_cast<std::uint32_t>(k.time));
    }
}

bool MotionTrack::Load(ILoad* iload) {
    Init(0, 0.0f);
    std::uint32_t count = 0;
    // The count is checked against the bytes left before anything is allocated for it.
    if (!ReadU32(iload, count) || count > iload->BytesLeft() / kKeyBytes) return false;
    Init(static_cast<int>(count), 0.0f);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t bits = 0, time = 0;
        if (!ReadU32(iload, bits) || !ReadU32(iload, time)) break;
        MotionKey k;
        std::memcpy(&k.value, &bits, 4);
        k.time = static_cast<std::int32_t>(time);
        if (!std::isfinite(k.value) || (keyCount > 0 && k.time <= keys[static_cast<std::size_t>(keyCount - 1)].time))
            break;
        keys[static_cast<std::size_t>(keyCount++)] = k;
    }
    if (keyCount != static_cast<int>(count)) {
        Free();
        return false;
    }
    if (keyCount > 0) pending = keys[static_cast<std::size_t>(keyCount - 1)];
    return true;
}
