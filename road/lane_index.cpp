#include "road/lane_index.h"

#include <bit>

void LaneIndex::Compile(const QuadNode& root) {
    Clear();
    // Breadth first, so that every cell's children are appended together.
    std::vector<const QuadNode*> order{&root};
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QuadNode& node = *order[i];
        Cell cell{node.centre.x, node.centre.y, -1, static_cast<std::int32_t>(blocks.size()), 0};
        if (node.child[0]) {
            cell.children = static_cast<std::int32_t>(order.size());
            for (const auto& c : node.child) order.push_back(c.get());
        }
        for (std::int32_t first = 0; first < node.count; first += WayBlock::kWays) {
            WayBlock& block = blocks.emplace_back();
            for (int k = 0; k < WayBlock::kWays; ++k)
                block.Set(k, first + k < node.count ? node.items[first + k] : nullptr);
            ++cell.blockCount;
        }
        cells.push_back(cell);
    }
}

void LaneIndex::Clear() {
    cells = {};
    blocks = {};
}

// Visits the cells of the point's path deepest first. All their blocks are requested from
// memory before the first is read; on a cold path each would otherwise cost a miss of its own.
template <class Visit>
void LaneIndex::VisitPath(const Point3& p, Visit visit) const {
    if (cells.empty()) return;
    std::int32_t path[QuadNode::kMaxDepth + 1];
    int length = 0;
    std::int32_t at = 0;
    while (length <= QuadNode::kMaxDepth) {
        path[length++] = at;
        const Cell& cell = cells[static_cast<std::size_t>(at)];
        if (cell.children < 0) break;
        at = cell.children + (p.x > cell.cx ? 1 : 0) + (p.y > cell.cy ? 2 : 0);
    }
    for (int i = 0; i < length; ++i) {
        const Cell& cell = cells[static_cast<std::size_t>(path[i])];
        const char* bytes = reinterpret_cast<const char*>(blocks.data() + cell.firstBlock);
        const std::size_t size = static_cast<std::size_t>(cell.blockCount) * sizeof(WayBlock);
        for (std::size_t offset = 0; offset < size; offset += 64) __builtin_prefetch(bytes + offset);
    }
    while (length > 0) visit(cells[static_cast<std::size_t>(path[--length])]);
}

void LaneIndex::EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const {
    VisitPath(probe.position, [&](const Cell& cell) {
        for (std::int32_t b = cell.firstBlock; b < cell.firstBlock + cell.blockCount; ++b) {
            const WayBlock& block = blocks[static_cast<std::size_t>(b)];
            for (unsigned hits = block.HitsXY(probe.position); hits != 0; hits &= hits - 1)
                block.way[std::countr_zero(hits)]->Evaluate(probe, effect);
        }
    });
}

void LaneIndex::SnapToWay(Matrix3& m, float& tolerance) const {
    // The path follows the starting position; each way tests the position as moved so far.
    VisitPath(m.GetRow(3), [&](const Cell& cell) {
        for (std::int32_t b = cell.firstBlock; b < cell.firstBlock + cell.blockCount; ++b) {
            const WayBlock& block = blocks[static_cast<std::size_t>(b)];
            unsigned hits = block.HitsXY(m.GetRow(3));
            while (hits != 0) {
                const int k = std::countr_zero(hits);
                const Point3 before = m.GetRow(3);
                block.way[k]->Snap(m, tolerance);
                hits &= ~1u << k;
                if (m.GetRow(3) != before) hits &= block.HitsXY(m.GetRow(3));
            }
        }
    });
}
