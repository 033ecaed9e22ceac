#include "host/node.h"
#include "host/time.h"
#include "road/parking.h"
#include "road/parking_arc.h"
#include "road/way_record.h"

namespace {
constexpr double kBayKmh = 10.0;
constexpr float kArcSpeedFactor = 3.0f;  // 30 km/h on the way in
}  // namespace

void ParkingObject::CountWays(INode*, int& count) {
    UpdateCache();
    count += 1 + ParkingArc(halfLength_, halfWidth_, accessAngle_).pieces;
}

void ParkingObject::FillWays(INode* node, WayRecord* ways, int& count, int capacity) {
    UpdateCache();
    const float w = halfWidth_, l = halfLength_, a = accessAngle_;
    const ParkingArc arc(l, w, a);
    if (node == nullptr || count > capacity - 1 - arc.pieces) return;
    const Matrix3 tm = node->GetObjectTM(0);
    auto world = [&](Point3 p) { return p * tm; };
    WayRecord& bay = ways[count];
    bay = WayRecord();
    bay.SetCorners(world({w, -l, 0.0f}), world({w, l, 0.0f}), world({-w, l, 0.0f}), world({-w, -l, 0.0f}));
    bay.maxSpeed = static_cast<float>(kBayKmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
    bay.isParking = 1;
    bay.enable[0] = 1;
    ++count;
    for (int i = 0; i < arc.pieces; ++i) {
        WayRecord& way = ways[count];
        way = ways[count - 1];
        way.maxSpeed = bay.maxSpeed * kArcSpeedFactor;
        way.isParking = 0;
        // Along the arc towards the bay, whichever way it turns.
        if (a > 0.0f)
            way.SetCorners(world(arc.Inner(i + 1)), world(arc.Inner(i)), world(arc.Outer(i)), world(arc.Outer(i + 1)));
        else
            way.SetCorners(world(arc.Outer(i + 1)), world(arc.Outer(i)), world(arc.Inner(i)), world(arc.Inner(i + 1)));
        ++count;
    }
}
