// The build of one time slot's tree: copy the slot's zones, bound them, build, lay out flat.
#pragma once

#include <cstdint>

#include "traffic/helper_budget.h"
#include "traffic/traffic_zone.h"
#include "traffic/zone_tree.h"

struct SlotTreeOrder {
    const TrafficZone* const* blocks;  // count eight-zone blocks, each in slot order
    std::int32_t count;
    std::int32_t slot;
    TrafficZone* copies;  // room for this slot's count copies, constructed here
    std::uint32_t firstCopy;  // the index of copies[0] among all copies
    HelperBudget* budget;
    void (*childHook)(bool onHelper);
};

ZoneTree BuildSlotTree(const SlotTreeOrder& order);
