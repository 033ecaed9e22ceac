// The lane quadtree compiled for the queries: its cells in one array, each cell's four
// children side by side, and each cell's ways in blocks of eight. A query walks a few hundred
// kilobytes of cells instead of nodes scattered over the heap, and meets exactly the ways that
// the tree's own descent meets, in the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "road/quad_tree.h"
#include "road/way_block.h"

class LaneIndex {
public:
    // Replaces the index by a copy of the tree; the tree's records must outlive it.
    void Compile(const QuadNode& root);
    void Clear();

    void EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const;
    void SnapToWay(Matrix3& m, float& tolerance) const;

    std::size_t CellCount() const { return cells.size(); }
    std::size_t BlockCount() const { return blocks.size(); }

private:
    struct Cell {
        float cx, cy;             // the node's centre
        std::int32_t children;    // index of the first of four, or -1 in a leaf
        std::int32_t firstBlock;
        std::int32_t blockCount;
    };

    template <class Visit>
    void VisitPath(const Point3& p, Visit visit) const;

    std::vector<Cell> cells;
    std::vector<WayBlock> blocks;
};
