// Scenes, probes and a brute-force reference shared by the zone index tests.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "traffic/traffic_zone.h"
#include "traffic/zone_index.h"

using ZoneBlock = std::array<TrafficZone, 8>;

struct ZoneScene {
    std::vector<ZoneBlock> blocks;

    std::vector<const TrafficZone*> Pointers() const;
    ZoneBuildStats BuildInto(ZoneIndex& index) const;
};

// Rotated zones of every rule and a few owners, spread over a square of the given half size
// around origin.
ZoneScene RandomScene(std::uint32_t seed, int blocks, float extent, Point3 origin = {});
// Small zones piled on a few points, deep enough to reach the depth limit.
ZoneScene ClusterScene(std::uint32_t seed);
// Many identical zones and identical blocks.
ZoneScene DuplicateScene(std::uint32_t seed);
// Per slot, square tiles that exactly fill the cells of a tree level (tile sizes differ per
// slot), plus one tile filling a whole quadrant; with `quarterTurn` every frame is turned 90
// degrees. Origins and tile sizes that are not powers of two exercise rounding.
ZoneScene GridScene(Point3 origin, float tile, bool quarterTurn);

// Random probes over the scene's area, every slot from -3 to 12.
std::vector<VehicleProbe> RandomProbes(const ZoneScene& scene, std::uint32_t seed, int count);
// Probes on the corners and edge midpoints of the zones of about 40 blocks, and one float step
// around each.
std::vector<VehicleProbe> BoundaryProbes(const ZoneScene& scene, std::uint32_t seed);
// Probes on the centre lines of the built trees' nodes.
std::vector<VehicleProbe> CentreLineProbes(const ZoneIndex& index, std::uint32_t seed);

// What the query must give: every zone of the probe's clamped slot and the two before it.
ZoneEffect BruteForce(const ZoneScene& scene, const VehicleProbe& probe, const ZoneEffect& start);

bool EffectsEqual(const ZoneEffect& a, const ZoneEffect& b);
bool SameTrees(const ZoneIndex& a, const ZoneIndex& b);
int TreeDepth(const ZoneTree& tree);

// Distinct values in every field, so that any change shows.
inline constexpr ZoneEffect kQueryStart{5.0, 3.0, 7.0, 8.0, 900.0f};
