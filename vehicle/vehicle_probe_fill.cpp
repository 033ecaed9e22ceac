#include "vehicle/vehicle_probe_fill.h"

#include "vehicle/vehicle_state.h"

VehicleProbe ProbeOf(const VehicleState& vehicle, bool stopWishes) {
    VehicleProbe probe;
    probe.owner = vehicle.OwnerTag();
    probe.speed = vehicle.speed;
    probe.wander = vehicle.wander;
    probe.type = vehicle.type;
    probe.bodyTM = vehicle.bodyTM;
    probe.size = Point3(vehicle.halfWidth, vehicle.halfLength, vehicle.height);
    const bool farEnough = stopWishes && vehicle.travelled > 50.0;
    probe.busMayStop = farEnough && vehicle.type == 1 ? 1 : 0;
    probe.carMayPark = farEnough && vehicle.type == 0 ? 1 : 0;
    return probe;
}
