// One straight piece of a road's centre polyline in world space with its road's lane layout, and
// the array of them that the junctions search for roads entering them.
#pragma once

#include <cstdint>

#include "host/geom.h"

struct RoadSegment {
    Point3 start;
    Point3 end;  // point 0 again for the closing segment of a closed polyline
    float stripWidth;
    float shift;  // in lane widths
    std::int32_t firstStrip;
    std::int32_t backwardStrips;
    std::uint8_t reverse;
    std::uint8_t enable[3];
};

struct RoadSegmentArray {
    RoadSegment* items = nullptr;
    std::int32_t count = 0;
};

// The segments of every enabled road of the scene, in walk order. False when the array cannot be
// allocated (it is then empty) or a road wrote fewer segments than it announced.
bool CollectRoadSegments(RoadSegmentArray& array);
void FreeRoadSegments(RoadSegmentArray& array);
