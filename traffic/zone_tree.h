// One slot's quadtree laid out flat for queries: the four children of a split node are
// consecutive, in quadrant order, and the layout depends only on the zones, never on which
// thread built which part.
#pragma once

#include <cstdint>
#include <vector>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "traffic/traffic_zone.h"
#include "traffic/zone_node_build.h"

struct ZoneTreeNode {
    float centreX, centreY;
    std::uint32_t firstChild;  // quadrant 0's index; 0 in a leaf, as the root is no one's child
    std::uint32_t firstEntry;
    std::uint32_t entryCount;

    bool operator==(const ZoneTreeNode&) const = default;
};

// A zone held at a node: the bounds outside which it accepts no probe.
struct ZoneTreeEntry {
    float minX, minY, maxX, maxY;

    bool operator==(const ZoneTreeEntry&) const = default;
};

struct ZoneTree {
    std::vector<ZoneTreeNode> nodes;  // empty until built; the root is first
    std::vector<Box3> squares;        // each node's square, for inspection only
    std::vector<ZoneTreeEntry> entries;
    std::vector<std::uint32_t> copies;  // each entry's zone copy, read only when its bounds hold the probe
};

// Lays out the tree under root of one slot; the zone of block i is copy i * 8 + slot.
ZoneTree FlattenTree(const ZoneNode& root, const ZoneBounds* bounds, std::int32_t slot);
