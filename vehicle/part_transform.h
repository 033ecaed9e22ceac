// Where a vehicle's wheels sit on its body. Part 0 is the body; part 2k + 1 the left and 2k + 2
// the right wheel of axle k, counted from the front.
#pragma once

#include "host/geom.h"

constexpr int kPartCount = 7;

inline bool IsVehiclePart(int part) { return part >= 0 && part < kPartCount; }

// Wheel i (part - 1) in the body's frame: spun about X, the front axle steered about Z, at its
// axle's position with x mirrored for the left wheels and the suspension added to z.
Matrix3 WheelInBody(const Point3 wheelPos[3], int wheel, float spin, float steer, float suspension);
