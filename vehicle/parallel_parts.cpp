#include "vehicle/parallel_parts.h"

#include <exception>
#include <memory>

#include "traffic/detached_job.h"

namespace {
struct PartJob {
    void (*part)(void*, std::int32_t) = nullptr;
    void* arg = nullptr;
    std::int32_t index = 0;
    bool onThread = false;
    std::exception_ptr error;
    CompletionSignal done;
};

void Run(PartJob& job) {
    try {
        job.part(job.arg, job.index);
    } catch (...) {
        job.error = std::current_exception();
    }
}

void ThreadMain(void* arg) {
    auto& job = *static_cast<PartJob*>(arg);
    Run(job);
    job.done.Raise();
}
}  // namespace

void RunParts(std::int32_t parts, void (*part)(void*, std::int32_t), void* arg) {
    if (parts <= 0) return;
    const auto jobs = std::make_unique<PartJob[]>(static_cast<std::size_t>(parts));
    for (std::int32_t i = 0; i < parts; ++i) {
        PartJob& job = jobs[static_cast<std::size_t>(i)];
        job.part = part;
        job.arg = arg;
        job.index = i;
        // The caller's own share is the first part.
        job.onThread = i > 0 && StartDetachedJob(job.done, ThreadMain, &job);
    }
    for (std::int32_t i = 0; i < parts; ++i)
        if (!jobs[static_cast<std::size_t>(i)].onThread) Run(jobs[static_cast<std::size_t>(i)]);
    for (std::int32_t i = 0; i < parts; ++i)
        if (jobs[static_cast<std::size_t>(i)].onThread) jobs[static_cast<std::size_t>(i)].done.Wait();
    for (std::int32_t i = 0; i < parts; ++i)
        if (jobs[static_cast<std::size_t>(i)].error) std::rethrow_exception(jobs[static_cast<std::size_t>(i)].error);
}
