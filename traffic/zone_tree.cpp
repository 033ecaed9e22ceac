#include "traffic/zone_tree.h"

#include "traffic/zone_index.h"

namespace {
void Emit(ZoneTree& tree, const ZoneNode& node, std::size_t at, const ZoneBounds* bounds, std::uint32_t slot) {
    const auto firstEntry = static_cast<std::uint32_t>(tree.entries.size());
    for (std::int32_t i = 0; i < node.count; ++i) {
        const std::uint32_t zone = node.zones[i];
        const ApplyBounds b = ApplyBoundsOf(bounds[zone]);
        tree.entries.push_back({b.minX, b.minY, b.maxX, b.maxY});
        tree.copies.push_back(zone * 8u + slot);
    }
    tree.squares[at] = node.box;
    tree.nodes[at] = {node.centre.x, node.centre.y, 0, firstEntry, static_cast<std::uint32_t>(node.count)};
    if (node.children[0] == nullptr) return;
    const std::size_t first = tree.nodes.size();
    tree.nodes[at].firstChild = static_cast<std::uint32_t>(first);
    tree.nodes.resize(first + 4);
    tree.squares.resize(first + 4);
    for (int q = 0; q < 4; ++q) Emit(tree, *node.children[q], first + q, bounds, slot);
}

}  // namespace

ZoneTree FlattenTree(const ZoneNode& root, const ZoneBounds* bounds, std::int32_t slot) {
    ZoneTree tree;
    tree.nodes.resize(1);
    tree.squares.resize(1);
    Emit(tree, root, 0, bounds, static_cast<std::uint32_t>(slot));
    return tree;
}

// Zones only assign the blocking value and lower the cap, so the order in which a probe meets
// them does not matter: each node's zones are applied on the way down.
void ZoneIndex::QueryNode(const ZoneTree& tree, std::uint32_t node, const VehicleProbe& probe,
                          const TrafficZone* copies, ZoneEffect& effect) {
    const float x = probe.position.x, y = probe.position.y;
    const ZoneTreeNode* const nodes = tree.nodes.data();
    const ZoneTreeEntry* const entries = tree.entries.data();
    for (const ZoneTreeNode* at = nodes + node;;) {
        for (std::uint32_t e = at->firstEntry, end = e + at->entryCount; e != end; ++e) {
            const ZoneTreeEntry& entry = entries[e];
            // One branch, nearly always the same way, instead of four that vary.
            const bool outside = (x < entry.minX) | (x > entry.maxX) | (y < entry.minY) | (y > entry.maxY);
            if (!outside) copies[tree.copies[e]].Apply(probe, effect);
        }
        if (at->firstChild == 0) return;
        // A probe on a centre line goes to the lower or left side.
        at = nodes + at->firstChild + (x > at->centreX ? 1u : 0u) + (y > at->centreY ? 2u : 0u);
    }
}
