#include "road/quad_tree.h"

// Within the indexed levels the next node comes from the column and row tables, not from the
// node just read, so the reads along one path need not wait on each other.
int QuadTree::Path(const Point3& p, const QuadNode** path) const {
    std::uint32_t index = 0, column = 0, row = 0;
    for (int depth = 0;; ++depth) {
        const QuadNode& node = nodes_[index];
        path[depth] = &node;
        if (node.IsLeaf()) return depth + 1;
        if (depth < indexedDepth_) {
            const std::uint32_t first = (1u << depth) - 1u;
            column = 2 * column + (p.x > columnCentres_[first + column] ? 1u : 0u);
            row = 2 * row + (p.y > rowCentres_[first + row] ? 1u : 0u);
            index = cells_[LevelStart(depth + 1) + (row << (depth + 1)) + column];
        } else {
            index = node.child + static_cast<std::uint32_t>(node.ChildIndex(p));
        }
    }
}

void QuadTree::EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const {
    if (nodes_.empty()) return;
    const QuadNode* path[QuadNode::kMaxDepth + 1];
    for (int k = Path(probe.position, path); k-- > 0;) {
        const std::uint32_t* run = pool_.data() + path[k]->items;
        for (std::int32_t i = 0; i < path[k]->count; ++i)
            if (footprints_[run[i]].Covers(probe.position)) ways_[run[i]].Evaluate(probe, effect);
    }
}

void QuadTree::SnapToWay(Matrix3& m, float& tolerance) const {
    if (nodes_.empty()) return;
    const QuadNode* path[QuadNode::kMaxDepth + 1];
    // The path is chosen by the starting position; each way then sees the position as moved so far.
    for (int k = Path(m.GetRow(3), path); k-- > 0;) {
        const std::uint32_t* run = pool_.data() + path[k]->items;
        for (std::int32_t i = 0; i < path[k]->count; ++i)
            if (footprints_[run[i]].Covers(m.GetRow(3))) ways_[run[i]].Snap(m, tolerance);
    }
}
