// The XY quadtree over a lane network's ways. A node holds the ways too large for its children
// (at least twice its width across) and splits while it holds more than 5 per level of depth.
#pragma once

#include <cstdint>
#include <memory>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "road/way_record.h"

struct QuadNode {
    static constexpr std::int32_t kMaxDepth = 16;

    Box3 bounds;
    Point3 centre;
    // Ways held here, in the order of the list they came from; the records belong to the network.
    std::unique_ptr<const WayRecord*[]> items;
    std::int32_t count = 0;
    // All null in a leaf. Index bit 0: upper x half, bit 1: upper y half.
    std::unique_ptr<QuadNode> child[4];

    // Fills this node for the cell from n way pointers and takes the list over.
    QuadNode& Build(const Box3& cell, std::unique_ptr<const WayRecord*[]> list, std::int32_t n, std::int32_t depth);
    void Free();

    // The child a point descends into; a point on a centre line goes to the lower half.
    int ChildIndex(const Point3& p) const;

    // The descents as plain recursions: the ways meet the query deepest cell first, then each
    // ancestor up to this node, each cell's ways in list order.
    void EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const;
    void SnapToWay(Matrix3& m, float& tolerance) const;
};
