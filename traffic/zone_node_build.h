// The recursive build of one slot tree: a node keeps the zones too big to pass down and hands
// the rest to its four quadrants, each on a helper thread while the budget allows, else inline.
#pragma once

#include <cstdint>

#include "host/geom.h"
#include "traffic/build_arena.h"
#include "traffic/helper_budget.h"
#include "traffic/zone_shape.h"

struct BuildNode {
    Box3 box;
    Point3 centre;
    const std::uint32_t* zones;  // block numbers, in incoming order
    std::int32_t count;
    BuildNode* children[4];  // all null in a leaf; quadrant q lies above the centre in x if bit 0, in y if bit 1
};

// What every node build of one slot tree shares.
struct NodeBuildContext {
    const ZoneBounds* bounds;  // by block number
    const ZoneAxes* axes;
    HelperBudget* budget;
    void (*childHook)(bool onHelper);  // tests only: runs first in every child build
};

// Builds node over square from the incoming list, allocating from arena. place is the helper's
// place in the budget when the node is the first built on a helper thread, else null. Returns
// only when the whole subtree stands; an exception from any part of it, on whatever thread,
// comes out here after every thread started for the subtree has finished.
void BuildTreeNode(BuildNode& node, const Box3& square, const std::uint32_t* zones, std::int32_t count,
                   std::int32_t depth, const NodeBuildContext& context, BuildArena& arena, HelperPlace* place);
