#include "module/diagnostics.h"

#include "road/lane_network.h"
#include "road/lane_network_build.h"
#include "road/road_segment.h"

BOOL MarlovanLaneNetworkSize(int* segments, int* ways) {
    RoadSegmentArray array;
    const bool collected = CollectRoadSegments(array);
    const int segmentCount = array.count;
    FreeRoadSegments(array);
    LaneNetwork network(nullptr, 0);
    const bool built = BuildLaneNetwork(network);
    if (segments != nullptr) *segments = segmentCount;
    if (ways != nullptr) *ways = network.Count();
    return collected && built ? TRUE : FALSE;
}
