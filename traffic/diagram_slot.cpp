#include "traffic/diagram_slot.h"

#include <cstdint>

int DiagramSlot(TimeValue t, int period) {
    if (period <= 0) return 0;
    const std::int64_t p = period;
    const std::int64_t phase = (static_cast<std::int64_t>(t) % p + p) % p;
    return static_cast<int>(phase * kDiagramSlots / p);
}
