// The recursive build of one slot tree: a node keeps the zones too big to pass down and hands
// the rest to its four quadrants, each on a helper thread while the running-helper count is
// below its maximum, else inline.
#pragma once

#include <cstdint>
#include <exception>

#include "host/geom.h"
#include "traffic/build_arena.h"
#include "traffic/detached_job.h"
#include "traffic/helper_budget.h"
#include "traffic/zone_shape.h"

struct ZoneNode {
    Box3 box;
    Point3 centre;
    const std::uint32_t* zones;  // block numbers, in incoming order
    std::int32_t count;
    ZoneNode* children[4];  // all null in a leaf; quadrant q lies above the centre in x if bit 0, in y if bit 1
};

// What every node build of one slot tree shares.
struct NodeBuildContext {
    const ZoneBounds* bounds;  // by block number
    const ZoneAxes* axes;
    HelperBudget* budget;  // the running-helper count and its maximum
    void (*childHook)(bool onHelper);  // tests only: runs first in every child build
};

// The work order of one quadrant child.
struct ZoneChildJob {
    Box3 box;
    const std::uint32_t* zones = nullptr;  // the child's own list, sorted out by the parent
    std::int32_t count = 0;
    std::int32_t depth = 0;  // the child's
    ZoneNode** child = nullptr;  // the parent's entry to fill
    bool onHelper = false;
    const NodeBuildContext* context = nullptr;
    BuildArena arena;  // a helper's own; handed to the parent when the helper is done
    std::exception_ptr error;
    CompletionSignal done;
};
