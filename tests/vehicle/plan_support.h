// A 4 m by 1.8 m car at 50 km/h on a 4 m lane along +Y at 180 km/h, so it keeps its own cap.
#pragma once

#include "tests/road/road_support.h"
#include "tests/vehicle/vehicle_support.h"
#include "traffic/zone_index.h"
#include "vehicle/look_ahead_planner.h"
#include "vehicle/plan_node.h"
#include "vehicle/vehicle_probe_fill.h"

inline VehicleState& MakeCar(VehicleState& s, std::int32_t type = 0) {
    s.type = type, s.halfLength = 200.0f, s.halfWidth = 90.0f, s.height = 150.0f, s.axleCount = 2;
    s.wheelPos[0] = {80.0f, 120.0f, 30.0f}, s.wheelPos[1] = {80.0f, -120.0f, 30.0f};
    for (Point3& w : s.wheelSize) w = {20.0f, 30.0f, 0.0f};
    s.UpdateAxles();
    s.maxSpeed = 1389.0f, s.turnSpeed = 500.0f, s.accelRate = 300.0f, s.rigidity = 10.0f;
    return s;
}

inline std::unique_ptr<LaneNetwork> NorthLane() {
    WayRecord way = MakeWay({200, -10000, 0}, {200, 90000, 0}, {-200, 90000, 0}, {-200, -10000, 0});
    way.maxSpeed = 5000.0f;
    return MakeNetwork({way});
}
