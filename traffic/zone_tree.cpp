#include "traffic/zone_tree.h"

namespace {
void Emit(ZoneTree& tree, const ZoneNode& node, std::size_t at, const ZoneBounds* bounds, const TrafficZone* copies,
          std::uint32_t slot) {
    const auto firstEntry = static_cast<std::uint32_t>(tree.entries.size());
    for (std::int32_t i = 0; i < node.count; ++i) {
        const std::uint32_t zone = node.zones[i];
        const ApplyBounds b = ApplyBoundsOf(bounds[zone]);
        tree.copies.push_back(zone * 8u + slot);
        tree.entries.push_back({b.minX, b.minY, b.maxX, b.maxY, copies[tree.copies.back()].owner});
    }
    tree.squares[at] = node.box;
    tree.nodes[at] = {node.centre.x, node.centre.y, 0, firstEntry, static_cast<std::uint32_t>(node.count)};
    if (node.children[0] == nullptr) return;
    const std::size_t first = tree.nodes.size();
    tree.nodes[at].firstChild = static_cast<std::uint32_t>(first);
    tree.nodes.resize(first + 4);
    tree.squares.resize(first + 4);
    for (int q = 0; q < 4; ++q) Emit(tree, *node.children[q], first + q, bounds, copies, slot);
}

void ApplyHeld(const ZoneTree& tree, const ZoneTreeNode& node, const VehicleProbe& probe, const TrafficZone* copies,
               ZoneEffect& effect) {
    const float x = probe.position.x, y = probe.position.y;
    for (std::uint32_t e = node.firstEntry, end = e + node.entryCount; e != end; ++e) {
        const ZoneTreeEntry& entry = tree.entries[e];
        // One branch, nearly always the same way, instead of four that vary: a vehicle's probes
        // lie in its own zones, which would pass on the bounds alone.
        const bool skip = (x < entry.minX) | (x > entry.maxX) | (y < entry.minY) | (y > entry.maxY) |
                          (entry.owner == probe.owner);
        if (!skip) copies[tree.copies[e]].Apply(probe, effect);
    }
}
}  // namespace

ZoneTree FlattenTree(const ZoneNode& root, const ZoneBounds* bounds, const TrafficZone* copies, std::int32_t slot) {
    ZoneTree tree;
    tree.nodes.resize(1);
    tree.squares.resize(1);
    Emit(tree, root, 0, bounds, copies, static_cast<std::uint32_t>(slot));
    return tree;
}

// The paths are walked side by side, a level at a time and without branching on where they go,
// so that the memory loads of the trees overlap and little is mispredicted; a finished path
// rests on an empty node. Zones only assign the blocking value and lower the cap, so applying the
// held zones afterwards, path by path, gives the same effect as applying them on the way.
void QueryTrees(const ZoneTree* trees, int count, const VehicleProbe& probe, const TrafficZone* copies,
                ZoneEffect& effect) {
    static constexpr ZoneTreeNode kFinished{0.0f, 0.0f, 0, 0, 0};
    // Round r writes place r - 1 at most, and no path is deeper than 16: places 0 to 16.
    constexpr int kPathRoom = 17;
    const ZoneTreeNode* at[3];
    const ZoneTreeNode* nodes[3];
    const ZoneTree* walked[3];
    int live = 0;
    for (int t = 0; t < count; ++t) {
        if (trees[t].nodes.empty()) continue;
        at[live] = nodes[live] = trees[t].nodes.data();
        walked[live++] = &trees[t];
    }
    const float x = probe.position.x, y = probe.position.y;
    const ZoneTreeNode* held[3][kPathRoom];
    int heldCount[3] = {};
    for (bool descending = live > 0; descending;) {
        descending = false;
        for (int j = 0; j < live; ++j) {
            const ZoneTreeNode* node = at[j];
            held[j][heldCount[j]] = node;
            heldCount[j] += node->entryCount != 0 ? 1 : 0;
            // A probe on a centre line goes to the lower or left side.
            const std::uint32_t q = (x > node->centreX ? 1u : 0u) + (y > node->centreY ? 2u : 0u);
            const std::uint32_t first = node->firstChild;
            at[j] = first != 0 ? nodes[j] + first + q : &kFinished;
            descending |= first != 0;
        }
    }
    for (int j = 0; j < live; ++j)
        for (int k = 0; k < heldCount[j]; ++k) ApplyHeld(*walked[j], *held[j][k], probe, copies, effect);
}
