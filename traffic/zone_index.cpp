#include "traffic/zone_index.h"

#include <algorithm>
#include <exception>

#include "common/worker_count.h"
#include "traffic/detached_job.h"
#include "traffic/helper_budget.h"
#include "traffic/zone_slot_tree.h"

namespace {
struct SlotJob {
    SlotTreeOrder order{};
    ZoneTree tree;
    std::exception_ptr error;
    bool onThread = false;
    CompletionSignal done;
};

void RunSlot(SlotJob& job) {
    try {
        job.tree = BuildSlotTree(job.order);
    } catch (...) {
        job.error = std::current_exception();
    }
}

void SlotMain(void* arg) {
    SlotJob& job = *static_cast<SlotJob*>(arg);
    RunSlot(job);
    job.done.Raise();
}
}  // namespace

ZoneBuildStats ZoneIndex::Build(const TrafficZone* const* blocks, std::int32_t count) {
    Free();
    const std::int32_t n = std::max(count, 0);
    copies_.Allocate(static_cast<std::size_t>(n) * kSlots);
    const std::int32_t maximum = helperMaximum_.value_or(GetWorkerThreadCount());
    HelperBudget budget(maximum);
    std::array<SlotJob, kSlots> jobs;
    std::int32_t slotFallbacks = 0;
    for (std::int32_t s = 0; s < kSlots; ++s) {
        SlotJob& job = jobs[static_cast<std::size_t>(s)];
        const auto firstCopy = static_cast<std::uint32_t>(s * n);
        job.order = {blocks, n, s, copies_.data() + firstCopy, firstCopy, &budget, childHook_};
        job.onThread = StartDetachedJob(job.done, SlotMain, &job);
        if (!job.onThread) {
            ++slotFallbacks;
            RunSlot(job);
        }
    }
    for (SlotJob& job : jobs)
        if (job.onThread) job.done.Wait();
    for (SlotJob& job : jobs) {
        if (!job.error) continue;
        Free();
        std::rethrow_exception(job.error);
    }
    for (std::size_t s = 0; s < trees_.size(); ++s) trees_[s] = std::move(jobs[s].tree);
    return {maximum, budget.Started(), budget.Fallbacks() + slotFallbacks, budget.Peak(), budget.Running()};
}

void ZoneIndex::Query(const VehicleProbe& probe, ZoneEffect& result) const {
    ZoneEffect fresh;
    const std::int32_t slot = std::clamp(probe.slot, 0, kSlots - 1);
    const std::int32_t first = std::max(0, slot - 2);
    QueryTrees(trees_.data() + first, slot - first + 1, probe, copies_.data(), fresh);
    result.Accumulate(fresh);
}

void ZoneIndex::Free() {
    for (ZoneTree& tree : trees_) tree = ZoneTree{};
    copies_.Free();
}
