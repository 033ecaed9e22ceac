// What a traffic zone does to a probe that lies inside it.
#pragma once

#include <cstdint>

enum ZoneRule : std::uint32_t {
    RuleVehicle = 0,       // a vehicle's own footprint: blocks
    RuleSpeedLimit = 1,    // caps the speed, any heading
    RuleObstacle = 2,      // blocks
    RuleTrafficLight = 3,  // caps vehicles heading along +Y until their front has passed the far edge
    RuleStopLine = 4,      // caps vehicles heading along +Y while their front is before the near edge
    RuleNone = 0xFFFFFFFFu,  // any value above RuleStopLine acts on nothing; this one marks unset zones
};
