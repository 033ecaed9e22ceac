// The run-time model of where vehicles may drive: the way records of the scene and the XY
// quadtree over them. Built once on the main thread, then only read, by any number of threads.
#pragma once

#include <cstdint>
#include <memory>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "road/quad_tree.h"
#include "road/way_record.h"

class LaneNetwork {
public:
    // Built from the scene as it stands; empty when the build fails.
    LaneNetwork();
    // Takes over `recordCount` filled records and builds the tree over them.
    LaneNetwork(std::unique_ptr<WayRecord[]> records, std::int32_t recordCount);
    ~LaneNetwork();
    LaneNetwork(const LaneNetwork&) = delete;
    LaneNetwork& operator=(const LaneNetwork&) = delete;

    // Frees what the network holds, then takes over the records: the root cell is the square
    // around all finite corners, flat at z = 0, and the tree holds the records in array order.
    // A null array or a negative count gives an empty network; so does running out of memory,
    // after which the exception goes on to the caller.
    void Adopt(std::unique_ptr<WayRecord[]> records, std::int32_t recordCount);
    void Free();

    // Merges into out: the best score over the usable ways under the probe plus the stop term,
    // 1 in found, or -100 in both when no usable way is there.
    void EvaluateWays(const VehicleProbe& probe, ZoneEffect& out) const;
    // Keeps m on the plane of the way under it; only m changes for the caller.
    void SnapToWay(Matrix3& m, float tolerance) const;
    // A start pose on the centre line of a random way, longer ways more likely, facing the
    // travel direction. False, with out unchanged, when no way can be chosen.
    bool PlaceOnRandomWay(Matrix3& out) const;

    std::int32_t Count() const { return count; }
    const WayRecord* Ways() const { return ways.get(); }
    const QuadTree& Tree() const { return tree; }

private:
    QuadTree tree;
    std::int32_t count = 0;
    std::unique_ptr<WayRecord[]> ways;
};
