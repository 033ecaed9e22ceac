// What a vehicle hands to the lane queries, the zones and the zone index: one sample point of a
// pose it considers, with what those queries need to know of the vehicle.
#pragma once

#include <cstdint>

#include "host/geom.h"

struct VehicleProbe {
    Point3 position;  // world sample point being tested
    Point3 heading;   // forward axis of the pose being tested
    float speed = 0.0f;
    std::int32_t slot = 0;    // look-ahead time slot, 0 for the present
    std::uint64_t owner = 0;  // zones with this owner are the vehicle's own and are skipped
    float wander = 0.0f;
    std::int32_t type = 0;
    std::uint8_t busMayStop = 0;
    std::uint8_t carMayPark = 0;
    Matrix3 bodyTM;  // present chassis pose; row 1 is forward
    Point3 size;     // half width, half length, height
    std::uint8_t inner = 0;  // inner footprint sample: the lane queries add stop and priority terms

    bool operator==(const VehicleProbe&) const = default;
};
