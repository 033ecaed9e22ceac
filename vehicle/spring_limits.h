// The limits that keep a vehicle's sprung body on its chassis whatever the ground and the
// rigidity do.
#pragma once

class VehicleState;

// The largest rigidity for which the body's explicit spring step of dt seconds swings back
// without overshooting from step to step; a stiffer spring takes this one's place.
double RigidityCap(float dt);

// Keeps the sprung body's offset along its up axis within the vehicle's height, and drops the
// vertical rate that pushes it past that.
void LimitSpringOffset(VehicleState& state);
