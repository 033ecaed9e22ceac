// Where the lanes of a road end at a junction outline: one lane end per bundle of lanes of one
// travel direction of a road segment that crosses the outline.
#pragma once

#include <cstdint>
#include <memory>

#include "host/geom.h"

class PolyLine;
struct RoadSegment;
struct RoadSegmentArray;

struct LaneEnd {
    std::int32_t laneCount;
    Point3 pos;      // the bundle's right edge, seen in its travel direction, at the outline
    Point3 dir;      // unit travel direction
    // One lane wide, to the left of dir in XY: the bundle spans pos to pos + laneCount * lateral.
    Point3 lateral;
    std::uint8_t enable[3];
};

// Room for the lane ends of one outline polyline; ends beyond it are ignored.
constexpr int kLaneEndCapacity = 1000;

// Appends the lane ends of a road segment crossed at p, none once n reaches capacity.
void EmitLaneEnds(const RoadSegment& segment, Point3 p, LaneEnd* ends, int capacity, int& n);
// The lane ends of one outline polyline (object space, tm to world), in the order of its
// segments and, for each, of the road segments.
void FindLaneEnds(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, LaneEnd* ends,
                  int capacity, int& n);

// The lane ends of a polyline in heap storage of the full capacity; empty when that storage
// cannot be had.
struct LaneEndList {
    std::unique_ptr<LaneEnd[]> items;
    int count = 0;

    LaneEndList(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm);
};
