#include "app/frame_time.h"

#include "app/json_reader.h"

namespace {
// The range's ends stand for infinity in validity intervals, so no frame may land on them.
constexpr long long kFirstTick = static_cast<long long>(TIME_NegInfinity) + 1;
constexpr long long kLastTick = static_cast<long long>(TIME_PosInfinity) - 1;
}  // namespace

std::optional<TimeValue> FrameTime(long long frame) {
    const long long ticksPerFrame = GetTicksPerFrame();
    if (frame < kFirstTick / ticksPerFrame || frame > kLastTick / ticksPerFrame) return std::nullopt;
    return static_cast<TimeValue>(frame * ticksPerFrame);
}

std::string FrameRangeText() {
    const long long ticksPerFrame = GetTicksPerFrame();
    return "frames run from " + std::to_string(kFirstTick / ticksPerFrame) + " to " +
           std::to_string(kLastTick / ticksPerFrame) + " at " + std::to_string(TICKS_PER_SECOND / ticksPerFrame) +
           " frames per second";
}

TimeValue ReadFrame(const JsonPlace& frame) {
    const auto t = FrameTime(frame.Integer());
    if (!t) frame.Fail("frame out of range: " + FrameRangeText());
    return *t;
}
