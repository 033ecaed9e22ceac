// The XY quadtree over a lane network's ways. A node holds the ways too large for its children
// (at least twice its width across) and splits while it holds more than 5 per level of depth.
// The nodes sit in one array, the four children of a split node side by side, and every node's
// ways are a run of 32-bit way indices in one shared pool; cells whose lists are equal share one
// run, which keeps piles of stacked ways from being stored once per cell.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "road/way_record.h"

// What a query reads of a node; its cell is kept apart (QuadTree::Cell), so that more nodes
// share a cache line.
struct QuadNode {
    static constexpr std::int32_t kMaxDepth = 16;

    Point3 centre;
    // The node's ways: `count` way indices from `items` on in the pool, in the order of the
    // list they came from.
    std::uint32_t items = 0;
    std::int32_t count = 0;
    // Node index of child 0, the others following it; 0 in a leaf (the root is never a child).
    // Index bit 0: upper x half, bit 1: upper y half.
    std::uint32_t child = 0;

    bool IsLeaf() const { return child == 0; }
    // The child a point descends into; a point on a centre line goes to the lower half.
    int ChildIndex(const Point3& p) const { return (p.x > centre.x ? 1 : 0) + (p.y > centre.y ? 2 : 0); }
};

// Where ways pile up over a large area, the split rule copies each of them into hundreds of
// cells; a tree is refused before it holds more nodes and list entries together than this many
// per way, plus a base. Scenes of roads and junctions need 1 to 3 per way.
constexpr std::size_t kTreeSizePerWay = 64;
constexpr std::size_t kTreeSizeBase = 65536;

class LaneTreeTooLarge : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "the lanes overlap too much to be indexed"; }
};

class QuadTree {
public:
    // Builds the tree for the root cell over all `count` ways, in array order. Throws
    // LaneTreeTooLarge, leaving the tree to be freed, past the size limit.
    void Build(const WayRecord* ways, std::int32_t count, const Box3& cell);
    void Free();

    const QuadNode* Root() const { return nodes_.empty() ? nullptr : nodes_.data(); }
    const QuadNode& Child(const QuadNode& node, int index) const { return nodes_[node.child + index]; }
    const Box3& Cell(const QuadNode& node) const { return cells_[static_cast<std::size_t>(&node - nodes_.data())]; }
    const WayRecord& Item(const QuadNode& node, std::int32_t i) const { return ways_[pool_[node.items + i]]; }
    std::size_t NodeCount() const { return nodes_.size(); }
    std::size_t PoolSize() const { return pool_.size(); }

    // The ways meet the query deepest cell first, then each ancestor up to the root, each
    // cell's ways in list order.
    void EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const;
    void SnapToWay(Matrix3& m, float& tolerance) const;

private:
    // The part of a way's world-to-way transform and extent that decides whether a point lies
    // over it, kept apart so that the query reads few bytes for the ways it passes by.
    struct Footprint {
        Point3 x, y;  // columns 0 and 1 of the inverse's first three rows
        float x0, y0;  // row 3
        float halfX, halfY;
        // The same sums, in the same order, as the full transform: a way passed by here would
        // fail the way's own test on x or y.
        bool Covers(const Point3& p) const {
            const float px = ((x.x * p.x + x.y * p.y) + x.z * p.z) + x0;
            const float py = ((y.x * p.x + y.y * p.y) + y.z * p.z) + y0;
            return std::fabs(px) <= halfX && std::fabs(py) <= halfY;
        }
    };

    class Builder;

    // The nodes from the root down to the point's deepest cell; returns how many.
    int Path(const Point3& p, const QuadNode** path) const;

    const WayRecord* ways_ = nullptr;
    std::vector<QuadNode> nodes_;
    std::vector<Box3> cells_;  // each node's cell, by node index
    std::vector<std::uint32_t> pool_;
    std::vector<Footprint> footprints_;
};
