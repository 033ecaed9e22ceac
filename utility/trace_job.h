// The work order of one worker thread of a run: a contiguous slice of the vehicle array to
// step to one frame's time.
#pragma once

#include <cstdint>

#include "host/win32.h"

class LaneNetwork;
class SurfaceOctree;
class VehicleState;
class ZoneIndex;

struct TraceJob {
    VehicleState** vehicles = nullptr;
    const LaneNetwork* network = nullptr;
    const ZoneIndex* zoneIndex = nullptr;
    SurfaceOctree* surface = nullptr;
    std::int32_t time = 0;
    std::int32_t first = 0;
    std::int32_t end = 0;
    HANDLE done = nullptr;  // auto-reset; null when none could be made
    bool failed = false;    // a step threw; written before done is signalled
};

// Tests only: runs before each step, given the vehicle's place in the array; what it throws
// fails that step as a step's own failure would.
void SetTraceStepHook(void (*hook)(std::int32_t vehicle));
// Thread procedure: steps the slice, then signals done and touches nothing more.
void TraceWorker(void* job);
// Steps the slice on the calling thread.
void TraceSlice(TraceJob& job) noexcept;
// Slice k of count over n vehicles: [first, end).
void SliceOf(TraceJob& job, std::int32_t k, std::int32_t count, std::int32_t n);
// Gives each job its slice and runs them, on their own threads where a thread and event can be
// had and inline otherwise; returns when all are done. False when a step failed.
bool RunTraceJobs(TraceJob* jobs, std::int32_t count, std::int32_t vehicles, std::int32_t time);
