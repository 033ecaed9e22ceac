// Builders shared by the road tests: ways and networks, probes, and scenes of roads.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "host/interface.h"
#include "host/spline_shape.h"
#include "host/testing.h"
#include "road/lane_network.h"
#include "road/modifier_switch.h"
#include "road/road_mod.h"
#include "road/road_params.h"
#include "road/way_record.h"

// A way open to every type with corners c0..c3 (c0->c1 along the travel direction).
inline WayRecord MakeWay(Point3 c0, Point3 c1, Point3 c2, Point3 c3) {
    WayRecord way;
    way.SetCorners(c0, c1, c2, c3);
    way.maxSpeed = 1000.0f;
    way.enable[0] = way.enable[1] = way.enable[2] = 1;
    return way;
}

// A rectangle of half length hx along the direction `angle` and half width hy across it.
inline WayRecord RectWay(Point3 centre, float angle, float hx, float hy) {
    const Point3 x(std::cos(angle) * hx, std::sin(angle) * hx, 0.0f);
    const Point3 y(-std::sin(angle) * hy, std::cos(angle) * hy, 0.0f);
    return MakeWay(centre - x - y, centre + x - y, centre + x + y, centre - x + y);
}

// An axis-aligned way running along +X over [x0, x1] x [y0, y1] at height z.
inline WayRecord BoxWay(float x0, float y0, float x1, float y1, float z = 0.0f) {
    return MakeWay({x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z});
}

inline std::unique_ptr<LaneNetwork> MakeNetwork(const std::vector<WayRecord>& ways) {
    std::unique_ptr<WayRecord[]> records(new WayRecord[ways.size()]);
    std::copy(ways.begin(), ways.end(), records.get());
    return std::make_unique<LaneNetwork>(std::move(records), static_cast<std::int32_t>(ways.size()));
}

// A car 1.5 m high (scene units are centimetres) heading along +X, its right side towards -Y.
inline VehicleProbe ProbeAt(Point3 p) {
    VehicleProbe probe;
    probe.position = p;
    probe.heading = {1.0f, 0.0f, 0.0f};
    probe.bodyTM = Matrix3({0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, p);
    probe.size = {100.0f, 200.0f, 150.0f};
    return probe;
}

// What the lane queries start from before merging.
inline constexpr ZoneEffect kLaneStart{-100.0, -100.0, 0.0, 0.0, kNoSpeedCap};

inline bool SameEffect(const ZoneEffect& a, const ZoneEffect& b) {
    return a.score == b.score && a.found == b.found && a.stopTerm == b.stopTerm && a.priority == b.priority &&
           a.speedCap == b.speedCap;
}

// Bit for bit, so that NaN rows compare equal to themselves.
inline bool SameMatrix(const Matrix3& a, const Matrix3& b) {
    for (int i = 0; i < 4; ++i) {
        const Point3 ra = a.GetRow(i), rb = b.GetRow(i);
        if (std::memcmp(&ra, &rb, sizeof(Point3)) != 0) return false;
    }
    return a.GetFlags() == b.GetFlags();
}

inline ::testing::AssertionResult Near(Point3 a, Point3 b, float tolerance) {
    if (Length(a - b) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a.x << ", " << a.y << ", " << a.z << " vs " << b.x << ", " << b.y << ", " << b.z;
}

// Each scene test starts from an empty scene at time 0 with no notifications recorded.
class RoadSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCOREInterface()->ResetScene();
        HostClearNotifications();
    }
    void TearDown() override { GetCOREInterface()->ResetScene(); }
};

// A shape whose polylines are just its knots; by default the straight road, 1000 along +X.
inline SplineShape* MakeShape(const std::vector<Point3>& knots = {{0, 0, 0}, {1000, 0, 0}}, bool closed = false) {
    auto* shape = new SplineShape;
    shape->shape.steps = 0;
    Spline3D* s = shape->shape.NewSpline();
    for (const Point3& p : knots) s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p));
    s->SetClosed(closed);
    return shape;
}

// A node carrying the shape with one road modifier on it.
inline INode* AddRoad(Object* shape, RoadMod** mod = nullptr, INode* parent = nullptr) {
    INode* node = GetCOREInterface()->CreateObjectNode(shape, parent);
    auto* road = new RoadMod;
    node->AddWSModifier(road);
    if (mod != nullptr) *mod = road;
    return node;
}

inline IParamBlock2* Block(RoadMod* mod) { return mod->GetParamBlock(0); }

// What a way source announces and writes from what it reads (its node, a crossing's segments
// first), a modifier switched off as by the walk; fill = count.
template <class Source, class... Read>
std::vector<WayRecord> WaysOf(Source* source, const Read&... read) {
    ModifierSwitch off;
    if constexpr (std::is_base_of_v<Modifier, Source>) off.SwitchOff(source);
    int count = 0, index = 0;
    source->CountWays(read..., count);
    std::vector<WayRecord> ways(static_cast<std::size_t>(count));
    source->FillWays(read..., ways.data(), index, count);
    EXPECT_EQ(index, count);
    return ways;
}
