#include "road/quad_tree.h"

int QuadTree::Path(const Point3& p, const QuadNode** path) const {
    int depth = 0;
    for (const QuadNode* node = nodes_.data();; node = &nodes_[node->child + static_cast<std::uint32_t>(node->ChildIndex(p))]) {
        path[depth++] = node;
        if (node->IsLeaf()) return depth;
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
