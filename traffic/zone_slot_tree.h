// The work order of one time slot's tree: copy the slot's zones, bound them, build, lay out flat.
#pragma once

#include <cstdint>
#include <exception>

#include "traffic/detached_job.h"
#include "traffic/helper_budget.h"
#include "traffic/traffic_zone.h"
#include "traffic/zone_tree.h"

struct ZoneSlotJob {
    std::int32_t count = 0;  // blocks
    TrafficZone* copies = nullptr;  // the index's copies: block i's zone of slot s at i * 8 + s
    const TrafficZone* const* blocks = nullptr;  // count eight-zone blocks, each in slot order
    ZoneTree* roots = nullptr;  // the index's trees; this job fills entry slot only
    std::int32_t slot = 0;
    HelperBudget* running = nullptr;
    void (*childHook)(bool onHelper) = nullptr;
    std::exception_ptr error;
    bool onThread = false;
    CompletionSignal done;
};
