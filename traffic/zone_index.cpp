#include "traffic/zone_index.h"

#include <algorithm>
#include <exception>

#include "common/worker_count.h"
#include "traffic/detached_job.h"
#include "traffic/helper_budget.h"
#include "traffic/zone_slot_tree.h"

namespace {
void RunSlot(ZoneSlotJob& job) {
    try {
        ZoneIndex::BuildSlotTree(job);
    } catch (...) {
        job.error = std::current_exception();
    }
}

void SlotMain(void* arg) {
    ZoneSlotJob& job = *static_cast<ZoneSlotJob*>(arg);
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
    std::array<ZoneSlotJob, kSlots> jobs;
    std::int32_t slotFallbacks = 0;
    for (std::int32_t s = 0; s < kSlots; ++s) {
        ZoneSlotJob& job = jobs[static_cast<std::size_t>(s)];
        job.count = n;
        job.copies = copies_.data();
        job.blocks = blocks;
        job.roots = roots_.data();
        job.slot = s;
        job.running = &budget;
        job.childHook = childHook_;
        job.onThread = StartDetachedJob(job.done, SlotMain, &job);
        if (!job.onThread) {
            ++slotFallbacks;
            RunSlot(job);
        }
    }
    for (ZoneSlotJob& job : jobs)
        if (job.onThread) job.done.Wait();
    for (ZoneSlotJob& job : jobs) {
        if (!job.error) continue;
        Free();
        std::rethrow_exception(job.error);
    }
    return {maximum, budget.Started(), budget.Fallbacks() + slotFallbacks, budget.Peak(), budget.Running()};
}

void ZoneIndex::Query(const VehicleProbe& probe, ZoneEffect& result) const {
    ZoneEffect fresh;
    const std::int32_t slot = std::clamp(probe.slot, 0, kSlots - 1);
    const std::int32_t first = std::max(0, slot - 2);
    for (std::int32_t s = first; s <= slot; ++s) {
        const ZoneTree& root = roots_[static_cast<std::size_t>(s)];
        if (!root.nodes.empty()) QueryNode(root, 0, probe, copies_.data(), fresh);
    }
    result.Accumulate(fresh);
}

void ZoneIndex::Free() {
    for (ZoneTree& root : roots_) FreeNode(root);
    copies_.Free();
}

// A tree's nodes lie in its own arrays, so the root takes every node under it along.
void ZoneIndex::FreeNode(ZoneTree& root) { root = ZoneTree{}; }
