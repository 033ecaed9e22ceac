// The run-time record of one vehicle: its motion fields, recorded motion, own traffic zones and
// the parameters its object converts into scene units.
#pragma once

#include <cstdint>

#include "host/geom.h"
#include "traffic/traffic_zone.h"
#include "vehicle/motion_record.h"
#include "vehicle/vehicle_snapshot.h"

class GraphicsWindow;
class LaneNetwork;
class SurfaceOctree;
class ZoneIndex;

class VehicleState : public VehicleSnapshot {
public:
    // At rest at the origin, parameters 0, the record empty and the own zones inert: they act
    // on nothing until the first placement or step writes them.
    VehicleState();
    VehicleState(const VehicleState&) = delete;
    VehicleState& operator=(const VehicleState&) = delete;

    // The tag of the vehicle's own zones and probes.
    std::uint64_t OwnerTag() const { return reinterpret_cast<std::uintptr_t>(this); }

    // Part 0 body, 1-6 wheels: live while tracing, recorded when there is a record, else the
    // rest pose in the vehicle's own frame. False, leaving out unchanged, for other parts.
    bool GetPartTM(Matrix3& out, int part, std::int32_t t) const;
    void UpdateAxles();
    bool HasRecord() const { return record.HasMotion(); }
    void ClearRecord() { record.Clear(); }
    VehicleSnapshot& TakeSnapshot(VehicleSnapshot& out) const { return out = *this; }
    void Reset();
    void ResetAt(const Matrix3& tm, std::int32_t t);
    // The positions of the predicted footprints (zones 1 to 7).
    void AddPlanToBox(Box3& box) const;
    // The predicted path in green, world space: its borders and the far footprint's front (or
    // rear, while reversing) half.
    void DrawWire(GraphicsWindow* gw) const;
    // 2 or 3 axles, a wheelbase above 0, finite positive wheel radii and finite wheel positions:
    // only such a vehicle is placed or stepped.
    bool IsDrivable() const;

    // One simulation step of dt seconds.
    void Step(float dt, const LaneNetwork& lanes, const ZoneIndex& zones, SurfaceOctree& ground);
    // Start placement on a place of the network clear of placed[0..n-1]; on success writes
    // placed[n] and the own zones and rests there. Otherwise it beeps and changes nothing but
    // the temper; an undrivable vehicle is never placed.
    bool Place(TrafficZone* placed, int n, const LaneNetwork& lanes, std::int32_t t);
    // A slow plan of steps of this length ahead finds a way.
    bool CanDriveForward(float step, const LaneNetwork& lanes, const ZoneIndex& zones) const;
    void Integrate(float dt, SurfaceOctree& ground);
    void AlignBody();
    void GroundContact(SurfaceOctree& ground);
    bool AtStopPlace();
    float StopShare() const;

    MotionRecord record;
    TrafficZone zones[8];  // slot k = look-ahead time slot k

    float accelRate = 0.0f;  // units/s²
    float maxSpeed = 0.0f;   // units/s
    float turnSpeed = 0.0f;  // units/s at a steering tangent of 1
    float rigidity = 0.0f;
    std::int32_t type = 0;  // 0 car, 1 bus, 2 truck
    float stopTime = 0.0f;  // seconds
    float halfLength = 0.0f;
    float halfWidth = 0.0f;
    float height = 0.0f;
    std::int32_t axleCount = 0;
    float pivot = 0.0f;  // forward coordinate of the rear pivot
    float wheelbase = 0.0f;
    float temper = 1.0f;
    Point3 wheelPos[3];   // per axle: right-hand wheel x, forward y, height z
    Point3 wheelSize[3];  // per axle: x tyre width, y radius
};
