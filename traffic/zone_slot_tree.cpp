#include "traffic/zone_slot_tree.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/box_helpers.h"
#include "traffic/build_arena.h"
#include "traffic/zone_index.h"
#include "traffic/zone_node_build.h"

namespace {
// The smallest square, centred on the bounds of the zones' corners, that holds them. The
// corners' bounds are those of TrafficZone::AddToBox, taken from the shapes.
Box3 RootSquare(const ZoneBounds* bounds, const std::uint32_t* zones, std::int32_t count) {
    Box3 box;
    box.Init();
    for (std::int32_t i = 0; i < count; ++i) {
        const ZoneBounds& b = bounds[zones[i]];
        box.pmin = {std::min(box.pmin.x, b.minX), std::min(box.pmin.y, b.minY), 0.0f};
        box.pmax = {std::max(box.pmax.x, b.maxX), std::max(box.pmax.y, b.maxY), 0.0f};
    }
    Point3 centre = Box3Center(box);
    centre.z = 0.0f;
    const Point3 size = Box3Size(box);
    const float side = std::max(size.x, size.y);
    const Point3 half = Point3(side, side, 0.0f) / 2.0f;
    return Box3(centre - half, centre + half);
}
}  // namespace

void ZoneIndex::BuildSlotTree(ZoneSlotJob& job) {
    const auto n = static_cast<std::size_t>(job.count);
    const auto bounds = std::make_unique_for_overwrite<ZoneBounds[]>(n);
    const auto axes = std::make_unique_for_overwrite<ZoneAxes[]>(n);
    BuildArena arena;
    std::uint32_t* zones = arena.Allocate<std::uint32_t>(n);
    std::int32_t indexable = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const TrafficZone& copy = *std::construct_at(job.copies + i * kSlots + job.slot, job.blocks[i][job.slot]);
        if (!IsIndexable(copy)) continue;
        MakeZoneShape(copy, bounds[i], axes[i]);
        zones[indexable++] = static_cast<std::uint32_t>(i);
    }
    arena.Shrink(zones, n, static_cast<std::size_t>(indexable));
    const NodeBuildContext context{bounds.get(), axes.get(), job.running, job.childHook};
    ZoneNode* root = arena.Allocate<ZoneNode>(1);
    BuildNode(*root, RootSquare(bounds.get(), zones, indexable), zones, indexable, 0, context, arena, nullptr);
    job.roots[job.slot] = FlattenTree(*root, bounds.get(), job.slot);
}
