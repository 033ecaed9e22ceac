// Answers, for one vehicle probe, which zones of the current frame act on it: one XY quadtree
// per look-ahead time slot over copies of every eight-zone block, rebuilt in parallel each frame.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "traffic/build_arena.h"
#include "traffic/traffic_zone.h"
#include "traffic/zone_copies.h"
#include "traffic/zone_node_build.h"
#include "traffic/zone_slot_tree.h"
#include "traffic/zone_tree.h"

// How a build used its threads.
struct ZoneBuildStats {
    std::int32_t helperMaximum = 0;
    std::int32_t helpersStarted = 0;  // quadrant builds that ran on a helper thread
    std::int32_t fallbacks = 0;       // slot or quadrant builds run inline for want of a thread or event
    std::int32_t peakHelpers = 0;     // most helpers running at once
    std::int32_t helpersLeft = 0;     // the running-helper count once the build returned
};

class ZoneIndex {
public:
    static constexpr std::int32_t kSlots = 8;

    ZoneIndex() = default;
    ZoneIndex(const ZoneIndex&) = delete;
    ZoneIndex& operator=(const ZoneIndex&) = delete;

    // How many helper threads may run at once; nullopt means GetWorkerThreadCount().
    void SetHelperMaximum(std::optional<std::int32_t> maximum) { helperMaximum_ = maximum; }
    // Tests only: runs first in every quadrant build, told whether it is on a helper thread.
    void SetChildBuildHook(void (*hook)(bool onHelper)) { childHook_ = hook; }

    // Frees any previous trees, then builds the eight trees over copies of the count blocks
    // (eight zones each, in slot order). Returns when all stand; an exception on any build
    // thread comes out here, with the index left empty.
    ZoneBuildStats Build(const TrafficZone* const* blocks, std::int32_t count);
    // Merges into result what the zones of the probe's slot and the two slots before it do to
    // the probe. Slots outside 0 to 7 are taken as the nearer of the two.
    void Query(const VehicleProbe& probe, ZoneEffect& result) const;
    // Leaves the index empty and ready for the next build.
    void Free();

    // The tree of one slot, 0 to 7, for inspection.
    const ZoneTree& Tree(std::int32_t slot) const { return roots_[static_cast<std::size_t>(slot)]; }

    // The build's steps, each on whatever thread runs its job. BuildNode returns only when the
    // whole subtree stands; an exception from any part of it comes out there after every thread
    // started for the subtree has finished. place is the helper's place in the running count
    // when the node is the first built on a helper thread, else null.
    static void BuildSlotTree(ZoneSlotJob& job);
    static ZoneNode& BuildNode(ZoneNode& node, const Box3& box, const std::uint32_t* zones, std::int32_t count,
                               std::int32_t depth, const NodeBuildContext& context, BuildArena& arena,
                               HelperPlace* place);
    static void BuildChild(ZoneChildJob& job, BuildArena& arena, HelperPlace* place);
    // Applies every zone held on the path from node (an index into the tree's nodes) down to the
    // leaf under the probe.
    static void QueryNode(const ZoneTree& tree, std::uint32_t node, const VehicleProbe& probe,
                          const TrafficZone* copies, ZoneEffect& effect);
    // Frees the tree under root and leaves it empty.
    static void FreeNode(ZoneTree& root);

private:
    ZoneCopies copies_;
    // Each slot's tree from its root down, laid out flat for queries.
    std::array<ZoneTree, kSlots> roots_;
    std::optional<std::int32_t> helperMaximum_;
    void (*childHook_)(bool onHelper) = nullptr;
};
