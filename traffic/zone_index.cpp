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

// Zones only assign the blocking value and lower the cap, so the order in which a probe meets
// them does not matter: each node's zones are applied on the way down.
inline void ZoneIndex::QueryNode(const ZoneTree& tree, std::uint32_t node, const VehicleProbe& probe,
                                 const TrafficZone* copies, ZoneEffect& effect) {
    const float x = probe.position.x, y = probe.position.y;
    const ZoneTreeNode* const nodes = tree.nodes.data();
    const ZoneTreeEntry* const entries = tree.entries.data();
    for (const ZoneTreeNode* at = nodes + node;;) {
        for (std::uint32_t e = at->firstEntry, end = e + at->entryCount; e != end; ++e) {
            const ZoneTreeEntry& entry = entries[e];
            // One branch, nearly always the same way, instead of four that vary.
            const bool outside = (x < entry.minX) | (x > entry.maxX) | (y < entry.minY) | (y > entry.maxY);
            if (!outside) copies[tree.copies[e]].Apply(probe, effect);
        }
        if (at->firstChild == 0) return;
        // A probe on a centre line goes to the lower or left side.
        at = nodes + at->firstChild + (x > at->centreX ? 1u : 0u) + (y > at->centreY ? 2u : 0u);
    }
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
