#include "road/lane_network.h"

#include <algorithm>

#include "common/box_helpers.h"
#include "road/lane_network_build.h"
#include "road/way_overlap.h"

namespace {
Box3 RootCell(const WayRecord* ways, std::int32_t count) {
    Box3 box;
    box.Init();
    for (std::int32_t i = 0; i < count; ++i) AddWayToBox(ways[i], box);
    Point3 c = Box3Center(box);
    c.z = 0.0f;
    Point3 s = Box3Size(box);
    s.x = std::max(s.x, s.y);
    s.y = s.x;
    s.z = 0.0f;
    return Box3(c - s / 2.0f, c + s / 2.0f);
}
}  // namespace

LaneNetwork::LaneNetwork() { BuildLaneNetwork(*this); }

LaneNetwork::LaneNetwork(std::unique_ptr<WayRecord[]> records, std::int32_t recordCount) {
    Adopt(std::move(records), recordCount);
}

LaneNetwork::~LaneNetwork() { Free(); }

void LaneNetwork::Adopt(std::unique_ptr<WayRecord[]> records, std::int32_t recordCount) {
    Free();
    ways = std::move(records);
    count = ways ? std::max(recordCount, 0) : 0;
    try {
        tree.Build(ways.get(), count, RootCell(ways.get(), count));
    } catch (...) {
        // A half-built tree must never be queried.
        Free();
        throw;
    }
}

void LaneNetwork::Free() {
    tree.Free();
    ways.reset();
    count = 0;
}

void LaneNetwork::EvaluateWays(const VehicleProbe& probe, ZoneEffect& out) const {
    ZoneEffect local{-100.0, -100.0, 0.0, 0.0, kNoSpeedCap};
    tree.EvaluateWays(probe, local);
    local.score += local.stopTerm;
    out.Accumulate(local);
}

void LaneNetwork::SnapToWay(Matrix3& m, float tolerance) const {
    tree.SnapToWay(m, tolerance);
}
