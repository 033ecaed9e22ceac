// The motion fields of a vehicle: what one simulation step changes and what is recorded from it.
#pragma once

#include <cstdint>

#include "host/geom.h"

struct VehicleSnapshot {
    std::uint8_t zonesWritten = 0;  // the last step rewrote the vehicle's own zones
    std::int32_t time = 0;          // ticks
    Matrix3 bodyTM;                 // chassis pose, world space
    float speed = 0.0f;             // along the forward axis, negative while reversing
    float accel = 0.0f;
    float steer = 0.0f;  // steering input in [-1, 1]
    float steerRate = 0.0f;
    float steerHistory[4] = {};  // newest first, unclamped
    float steerAvg = 0.0f;       // front-wheel angle, radians
    float suspension[6] = {};    // wheel offsets along the body's up axis
    float spin[2] = {};          // front axle, other axles; radians
    float wander = 1.0f;
    double phase = 0.0;
    float stopShare[40] = {};  // newest first
    Point3 bodyRate;           // pitch, roll and vertical rates of the sprung body
    Matrix3 springTM;          // sprung body, world space: what is recorded as the body
    double stopTimer = -1.0;   // seconds; positive while a stop runs
    double travelled = 100.0;  // metres since the last stop
    std::uint8_t reverse = 0;
};
