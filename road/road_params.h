// The road modifier's parameters: their IDs in its block and the values the lane code uses.
#pragma once

#include <cstdint>

#include "host/param_block.h"

enum RoadParamID : ParamID {
    kRoadShift = 0,
    kStripWidth = 1,
    kForwardStrip = 2,
    kBackwardStrip = 3,
    kReverse = 4,
    kMaxSpeed = 5,
    kEnable = 6,
};

struct RoadParams {
    float stripWidth = 0.0f;      // scene units
    float shift = 0.0f;           // offset of the lane band, in lane widths
    std::int32_t firstStrip = 0;  // minus the forward lane count
    std::int32_t backwardStrips = 0;
    std::uint8_t reverse = 0;
    float maxSpeed = 0.0f;  // scene units per second
    std::uint8_t enable[3] = {0, 0, 0};  // car, bus, truck

    // Lanes are numbered firstStrip .. backwardStrips - 1.
    std::int32_t LaneCount() const { return backwardStrips - firstStrip; }
    // Forward lanes (i < 0) run with the polyline's point order; "Reverse" swaps both ways.
    bool RunsWithPointOrder(std::int32_t lane) const { return (lane < 0) != (reverse != 0); }
};
