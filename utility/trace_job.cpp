#include "utility/trace_job.h"

#include "vehicle/vehicle_state.h"

namespace {
// Fixed: the recorded motion does not depend on the host's frame rate.
constexpr float kStepSeconds = 0.033f;
// Set only between runs, so the workers read it without a lock.
void (*stepHook)(std::int32_t) = nullptr;
}  // namespace

void SetTraceStepHook(void (*hook)(std::int32_t vehicle)) { stepHook = hook; }

void TraceSlice(TraceJob& job) noexcept {
    try {
        for (std::int32_t v = job.first; v < job.end; ++v) {
            VehicleState& vehicle = *job.vehicles[v];
            vehicle.time = job.time;
            if (stepHook != nullptr) stepHook(v);
            vehicle.Step(kStepSeconds, *job.network, *job.zoneIndex, *job.surface);
        }
    } catch (...) {
        job.failed = true;
    }
}

void TraceWorker(void* arg) {
    TraceJob& job = *static_cast<TraceJob*>(arg);
    TraceSlice(job);
    SetEvent(job.done);
}

void SliceOf(TraceJob& job, std::int32_t k, std::int32_t count, std::int32_t n) {
    job.first = static_cast<std::int32_t>(static_cast<std::int64_t>(k) * n / count);
    job.end = static_cast<std::int32_t>((static_cast<std::int64_t>(k) + 1) * n / count);
}

bool RunTraceJobs(TraceJob* jobs, std::int32_t count, std::int32_t vehicles, std::int32_t time) {
    bool started[8] = {};
    for (std::int32_t k = 0; k < count; ++k) {
        TraceJob& job = jobs[k];
        SliceOf(job, k, count, vehicles);
        job.time = time;
        job.failed = false;
        started[k] = job.done != nullptr && _beginthread(TraceWorker, 0, &job) != static_cast<std::uintptr_t>(-1);
        if (!started[k]) TraceSlice(job);
    }
    bool ok = true;
    for (std::int32_t k = 0; k < count; ++k) {
        if (started[k]) WaitForSingleObject(jobs[k].done, INFINITE);
        ok = ok && !jobs[k].failed;
    }
    return ok;
}
