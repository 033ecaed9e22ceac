// The probe a vehicle plans with: its own fields, and the stop wishes it may have.
#pragma once

#include "common/vehicle_probe.h"

class VehicleState;

// Position, heading, slot and inner are left for the planner. With stopWishes, a bus or car that
// has driven more than 50 m since its last stop asks for stop places.
VehicleProbe ProbeOf(const VehicleState& vehicle, bool stopWishes);
