#include "road/road_segment.h"

#include <new>

#include "host/interface.h"
#include "road/scene_walk.h"

bool CollectRoadSegments(RoadSegmentArray& array) {
    array = RoadSegmentArray();
    INode* root = GetCOREInterface()->GetRootNode();
    int announced = 0;
    CountRoadSegmentsInScene(root, announced);
    array.items = new (std::nothrow) RoadSegment[static_cast<std::size_t>(announced)];
    if (array.items == nullptr) return false;
    int written = 0;
    FillRoadSegmentsInScene(root, array.items, written, announced);
    array.count = written;
    return written == announced;
}

void FreeRoadSegments(RoadSegmentArray& array) {
    delete[] array.items;
    array = RoadSegmentArray();
}
