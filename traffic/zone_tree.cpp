#include "traffic/zone_tree.h"

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
