#include "road/quad_tree.h"

#include <algorithm>

#include "common/box_helpers.h"
#include "road/way_overlap.h"

namespace {
using WayList = std::unique_ptr<const WayRecord*[]>;

constexpr std::uint8_t kStays = 1u << 4;

// Ways at least this wide across stay at a node whose cell is t / 2 wide.
bool StaysAt(const WayRecord& way, float t) { return !way.IsInert() && way.minHalf >= t; }

Box3 ChildCell(const Box3& cell, const Point3& h, int index) {
    const float x = static_cast<float>(index & 1), y = static_cast<float>(index >> 1);
    return Box3(cell.pmin + Point3(h.x * x, h.y * y, 0.0f), cell.pmin + Point3(h.x * (x + 1.0f), h.y * (y + 1.0f), 0.0f));
}

// Copies the ways whose route has the bit into a new list of exactly `capacity` entries.
WayList Gather(const WayList& list, const std::uint8_t* route, std::int32_t n, std::uint8_t bit,
               std::int32_t capacity) {
    WayList out(new const WayRecord*[static_cast<std::size_t>(capacity)]);
    std::int32_t k = 0;
    for (std::int32_t i = 0; i < n && k < capacity; ++i)
        if (route[i] & bit) out[k++] = list[i];
    return out;
}
}  // namespace

QuadNode& QuadNode::Build(const Box3& cell, std::unique_ptr<const WayRecord*[]> list, std::int32_t n,
                          std::int32_t depth) {
    Free();
    bounds = cell;
    centre = Box3Center(cell);
    if (!list) n = 0;
    n = std::max(n, 0);
    depth = std::max(depth, 0);

    if (n <= 5 * depth || depth >= kMaxDepth) {
        items = std::move(list);
        count = n;
    } else {
        const Point3 h = Box3Size(cell) * 0.5f;
        const float t = 4.0f * h.x;
        Box3 cells[4];
        for (int k = 0; k < 4; ++k) cells[k] = ChildCell(cell, h, k);

        // One overlap decision per way and child, shared by the count and the copy.
        std::unique_ptr<std::uint8_t[]> route(new std::uint8_t[static_cast<std::size_t>(n)]);
        std::int32_t sizes[5] = {0, 0, 0, 0, 0};
        for (std::int32_t i = 0; i < n; ++i) {
            std::uint8_t r = 0;
            if (StaysAt(*list[i], t)) {
                r = kStays;
            } else {
                for (int k = 0; k < 4; ++k)
                    if (WayOverlapsBox(*list[i], cells[k])) r |= static_cast<std::uint8_t>(1u << k);
            }
            route[i] = r;
            for (int k = 0; k < 5; ++k) sizes[k] += (r >> k) & 1;
        }

        count = sizes[4];
        items = Gather(list, route.get(), n, kStays, count);
        for (int k = 0; k < 4; ++k) {
            child[k] = std::make_unique<QuadNode>();
            const std::uint8_t bit = static_cast<std::uint8_t>(1u << k);
            child[k]->Build(cells[k], Gather(list, route.get(), n, bit, sizes[k]), sizes[k], depth + 1);
        }
    }
    return *this;
}

void QuadNode::Free() {
    items.reset();
    count = 0;
    for (std::unique_ptr<QuadNode>& c : child) {
        if (c) c->Free();
        c.reset();
    }
}

int QuadNode::ChildIndex(const Point3& p) const { return (p.x > centre.x ? 1 : 0) + (p.y > centre.y ? 2 : 0); }

void QuadNode::EvaluateWays(const VehicleProbe& probe, ZoneEffect& effect) const {
    if (child[0]) child[ChildIndex(probe.position)]->EvaluateWays(probe, effect);
    for (std::int32_t i = 0; i < count; ++i) items[i]->Evaluate(probe, effect);
}

void QuadNode::SnapToWay(Matrix3& m, float& tolerance) const {
    if (child[0]) child[ChildIndex(m.GetRow(3))]->SnapToWay(m, tolerance);
    for (std::int32_t i = 0; i < count; ++i) items[i]->Snap(m, tolerance);
}
