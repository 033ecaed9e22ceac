// An oriented XY rectangle that acts on vehicles during one look-ahead time slot. Local X runs
// across the zone, local Y along it.
#pragma once

#include <cstdint>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "traffic/zone_rule.h"

struct TrafficZone {
    // 0 for control objects; a vehicle's own zones carry its probe's owner tag.
    std::uint64_t owner = 0;
    Matrix3 tm;
    // Inverse of tm with its Z row replaced by world up, so local z is height above the zone.
    Matrix3 inverse;
    // Local (-hx, +hy), (+hx, +hy), (+hx, -hy), (-hx, -hy) in world space.
    Point3 corners[4] = {{-1.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {-1.0f, -1.0f, 0.0f}};
    float hx = 1.0f;
    float hy = 1.0f;
    float minHalf = 1.0f;  // the zone index picks a tree level by it
    float speed = kNoSpeedCap;  // scene units per second
    std::uint32_t slot = 0;  // not read here: a zone's slot is its place in its block
    std::uint32_t rule = RuleNone;

    TrafficZone& Init(const Matrix3& transform, std::uint64_t ownerTag, float halfX, float halfY, std::int32_t timeSlot,
                      std::uint32_t zoneRule, float zoneSpeed);

    // Blocks or caps the effect when the probe lies inside; the boundary counts as inside.
    void Apply(const VehicleProbe& probe, ZoneEffect& effect) const;
    // Strictly inside in XY: the boundary is outside.
    bool ContainsXY(Point3 p) const;
    // Whether the zone touches the box in XY, with the index's allowance for rounding, so that
    // every probe that Apply accepts within the box finds the zone. A zone that cannot be
    // indexed touches nothing.
    bool OverlapsBox(const Box3& box) const;
    void AddToBox(Box3& box) const;
};
