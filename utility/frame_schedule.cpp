#include "utility/frame_schedule.h"

#include <algorithm>
#include <limits>

namespace {
std::int32_t ToTicks(double t) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(t, lo, hi));
}
}  // namespace

FrameSchedule::FrameSchedule(std::int32_t startTime, std::int32_t endTime, std::int32_t ticksPerFrame)
    : start(startTime), span(static_cast<std::int64_t>(endTime) - startTime) {
    const std::int64_t whole = ticksPerFrame > 0 ? span / ticksPerFrame : 0;
    frames = static_cast<std::int32_t>(std::clamp<std::int64_t>(whole, 0, std::numeric_limits<std::int32_t>::max()));
}

double FrameSchedule::Exact(std::int32_t i) const {
    return static_cast<double>(start) + static_cast<double>(i) * static_cast<double>(span) / frames + 0.5;
}

std::int32_t FrameSchedule::Time(std::int32_t i) const { return ToTicks(Exact(i)); }

std::int32_t FrameSchedule::SceneTime(std::int32_t i) const { return ToTicks(Exact(i) - 1.0); }

std::int32_t FrameSchedule::Percent(std::int32_t i) const {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(i) + 1) * 100 / frames);
}
