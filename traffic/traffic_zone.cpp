#include "traffic/traffic_zone.h"

#include <cmath>

#include "common/box_helpers.h"

#include "traffic/zone_shape.h"

TrafficZone& TrafficZone::Init(const Matrix3& transform, std::uint64_t ownerTag, float halfX, float halfY,
                               std::int32_t timeSlot, std::uint32_t zoneRule, float zoneSpeed) {
    tm = transform;
    inverse = transform;
    inverse.SetRow(2, {0.0f, 0.0f, 1.0f});
    inverse.Invert();
    hx = halfX;
    hy = halfY;
    owner = ownerTag;
    slot = static_cast<std::uint32_t>(timeSlot);
    rule = zoneRule;
    speed = zoneSpeed;
    minHalf = hy > hx ? hx : hy;
    corners[0] = Point3(-hx, hy, 0.0f) * tm;
    corners[1] = Point3(hx, hy, 0.0f) * tm;
    corners[2] = Point3(hx, -hy, 0.0f) * tm;
    corners[3] = Point3(-hx, -hy, 0.0f) * tm;
    return *this;
}

void TrafficZone::Apply(const VehicleProbe& probe, ZoneEffect& effect) const {
    if (owner == probe.owner) return;
    const Point3 p = probe.position * inverse;
    // Written as "not within" so that a NaN inverse (singular transform) blocks nothing.
    if (!(std::fabs(p.x) <= hx)) return;
    if (!(std::fabs(p.y) <= hy)) return;
    if (!(std::fabs(p.z) <= probe.size.z)) return;

    const auto cap = [&] {
        if (effect.speedCap > speed) effect.speedCap = speed;
    };
    // Lights and stop lines judge the vehicle's present front, whatever pose the probe samples.
    const auto presentFront = [&] { return Point3(0.0f, probe.size.y, 0.0f) * probe.bodyTM * inverse; };
    const auto headsAlong = [&] { return DotProd(tm.GetRow(1), probe.bodyTM.GetRow(1)) > 0.3f; };

    switch (rule) {
    case RuleVehicle:
    case RuleObstacle:
        effect.score = -100.0;
        effect.found = -100.0;
        break;
    case RuleSpeedLimit:
        cap();
        break;
    case RuleTrafficLight:
        if (headsAlong() && hy > presentFront().y) cap();
        break;
    case RuleStopLine:
        if (headsAlong() && -hy > presentFront().y) cap();
        break;
    default:
        break;
    }
}

bool TrafficZone::ContainsXY(Point3 p) const {
    const Point3 q = p * inverse;
    return std::fabs(q.x) < hx && std::fabs(q.y) < hy;
}

bool TrafficZone::OverlapsBox(const Box3& box) const {
    if (!IsIndexable(*this)) return false;
    // A zone corner inside the box or a box corner inside the zone settles it at once; the
    // closed test of the outlines finds the crossings and the touches.
    for (int i = 0; i < 4; ++i)
        if (PointInBoxXY(corners[i], box) || ContainsXY(box[i])) return true;
    ZoneBounds bounds;
    ZoneAxes axes;
    MakeZoneShape(*this, bounds, axes);
    return (QuadrantMask(bounds, axes, MakeQuadrantSquares({box, box, box, box})) & 1u) != 0;
}

void TrafficZone::AddToBox(Box3& box) const {
    for (const Point3& corner : corners) box += corner;
}
