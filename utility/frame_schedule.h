// When a run's frames fall: the frames spread evenly over the whole span from start to end,
// in 64-bit and double arithmetic so that long runs cannot overflow.
#pragma once

#include <cstdint>

struct FrameSchedule {
    std::int32_t start = 0;
    std::int64_t span = 0;     // end - start
    std::int32_t frames = 0;   // whole frames in the span; 0 when the end lies before the start

    FrameSchedule(std::int32_t startTime, std::int32_t endTime, std::int32_t ticksPerFrame);
    // The frame's exact time, half a tick up so that truncation rounds it.
    double Exact(std::int32_t i) const;
    std::int32_t Time(std::int32_t i) const;
    // The scene time shown while frame i is traced: one tick below its rounded time.
    std::int32_t SceneTime(std::int32_t i) const;
    // Percent done once frame i is traced.
    std::int32_t Percent(std::int32_t i) const;
};
