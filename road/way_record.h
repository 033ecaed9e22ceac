// One oriented quadrilateral piece of lane: where it lies, which way it runs, how fast and for
// whom. The records of a run live in one array owned by the LaneNetwork.
#pragma once

#include <cstdint>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"

// Half extents of an inert way: every containment test, written NaN-safe, fails against it.
constexpr float kInertHalf = -1.0f;

struct WayRecord {
    // Way space to world: X the unit travel direction, Y the unit lateral direction, X x Y
    // (made to point up), the centroid of the corners.
    Matrix3 frame;
    // World to way space, taken while frame's Z row was world up, so z is the vertical offset
    // from the way's plane.
    Matrix3 inverse;
    float halfX = kInertHalf;
    float halfY = kInertHalf;
    float minHalf = kInertHalf;
    // c0->c1 and c3->c2 run along the travel direction.
    Point3 corner[4];
    float maxSpeed = 0.0f;  // scene units per second
    std::uint8_t enable[3] = {0, 0, 0};  // car, bus, truck
    std::uint8_t isBusStop = 0;
    std::uint8_t isParking = 0;

    // Inert until its corners are set.
    WayRecord();

    void SetCorners(Point3 c0, Point3 c1, Point3 c2, Point3 c3);
    // Derives frame, inverse and the half extents from the corners. A way without a usable frame
    // (coincident corners, a zero axis, a vertical plane, non-finite values) becomes inert.
    void UpdateFrame();
    bool IsInert() const;
    // A type outside car, bus and truck finds every way closed.
    bool OpenTo(std::int32_t type) const;

    // Adds this way's verdict on the probe; the way's edge counts as on it.
    void Evaluate(const VehicleProbe& probe, ZoneEffect& effect) const;
    // Moves m onto the way's plane when it stands over the way within the tolerance, which it
    // lowers to the height found.
    void Snap(Matrix3& m, float& tolerance) const;
};
