#include "road/lane_network_build.h"

#include <memory>
#include <new>

#include "host/interface.h"
#include "road/lane_network.h"
#include "road/road_segment.h"
#include "road/scene_walk.h"

namespace {

struct SegmentsHolder {
    RoadSegmentArray array;
    ~SegmentsHolder() { FreeRoadSegments(array); }
};

bool BuildFromScene(LaneNetwork& network) {
    SegmentsHolder segments;
    if (!CollectRoadSegments(segments.array)) return false;
    INode* root = GetCOREInterface()->GetRootNode();
    int announced = 0;
    CountWaysInScene(root, announced);
    CountJunctionWaysInScene(root, segments.array, announced);
    std::unique_ptr<WayRecord[]> ways(new (std::nothrow) WayRecord[static_cast<std::size_t>(announced)]);
    if (!ways) return false;
    int written = 0;
    FillWaysInScene(root, ways.get(), written, announced);
    FillJunctionWaysInScene(root, segments.array, ways.get(), written, announced);
    if (written != announced) return false;
    network.Adopt(std::move(ways), written);
    return true;
}

}  // namespace

bool BuildLaneNetwork(LaneNetwork& network) {
    network.Free();
    try {
        if (BuildFromScene(network)) return true;
    } catch (const std::bad_alloc&) {
        // The walks' switches have put every modifier back on the way out.
    }
    network.Free();
    return false;
}
