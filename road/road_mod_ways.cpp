#include "host/node.h"
#include "host/shape.h"
#include "road/lane_line.h"
#include "road/road_mod.h"
#include "road/road_reading.h"
#include "road/road_segment.h"
#include "road/way_record.h"

namespace {

int SegmentsOf(const PolyShape& shape) {
    int total = 0;
    for (const PolyLine& line : shape.lines) total += RoadSegmentCount(line);
    return total;
}

void SetSegment(RoadSegment& seg, Point3 start, Point3 end, const RoadParams& params) {
    seg.start = start;
    seg.end = end;
    seg.stripWidth = params.stripWidth;
    seg.shift = params.shift;
    seg.firstStrip = params.firstStrip;
    seg.backwardStrips = params.backwardStrips;
    seg.reverse = params.reverse;
    for (int k = 0; k < 3; ++k) seg.enable[k] = params.enable[k];
}

// The way of one lane over segment k; c0/c1 is the lane edge on the travel's right.
void SetLaneWay(WayRecord& way, const LaneLine& line, int k, float offset, bool withOrder, const RoadParams& params) {
    const float left = offset + 1.0f;
    if (withOrder)
        way.SetCorners(LanePoint(line, k, offset), LanePoint(line, k + 1, offset), LanePoint(line, k + 1, left),
                       LanePoint(line, k, left));
    else
        way.SetCorners(LanePoint(line, k + 1, left), LanePoint(line, k, left), LanePoint(line, k, offset),
                       LanePoint(line, k + 1, offset));
    way.maxSpeed = params.maxSpeed;
    for (int t = 0; t < 3; ++t) way.enable[t] = params.enable[t];
    way.isBusStop = 0;
    way.isParking = 0;
}

// The ways of one polyline, lane by lane and within a lane segment by segment.
void FillLineWays(const LaneLine& line, const RoadParams& params, WayRecord* ways, int& index, int capacity) {
    for (int lane = params.firstStrip; lane < params.backwardStrips; ++lane) {
        const float offset = static_cast<float>(lane) + params.shift;
        const bool withOrder = params.RunsWithPointOrder(lane);
        for (int k = 0; k + 1 < line.count && index < capacity; ++k)
            SetLaneWay(ways[index++], line, k, offset, withOrder, params);
    }
}

}  // namespace

void RoadMod::CountSegments(INode* node, int& count) {
    RoadParams params;
    PolyShape shape;
    if (!GetRoadParams(params) || !ReadRoadPolylines(node, shape)) return;
    count += SegmentsOf(shape);
}

void RoadMod::FillSegments(INode* node, RoadSegment* items, int& index, int capacity) {
    RoadParams params;
    PolyShape shape;
    if (!GetRoadParams(params) || !ReadRoadPolylines(node, shape)) return;
    const Matrix3 tm = node->GetObjectTM(0);
    for (const PolyLine& line : shape.lines) {
        const int n = line.NumPts();
        for (int k = 0; k < RoadSegmentCount(line) && index < capacity; ++k) {
            const Point3 start = line.pts[static_cast<std::size_t>(k)].p * tm;
            const Point3 end = line.pts[static_cast<std::size_t>((k + 1) % n)].p * tm;
            SetSegment(items[index++], start, end, params);
        }
    }
}

void RoadMod::CountWays(INode* node, int& count) {
    RoadParams params;
    PolyShape shape;
    if (!GetRoadParams(params) || !ReadRoadPolylines(node, shape)) return;
    count += SegmentsOf(shape) * params.LaneCount();
}

void RoadMod::FillWays(INode* node, WayRecord* ways, int& index, int capacity) {
    RoadParams params;
    PolyShape shape;
    if (!GetRoadParams(params) || !ReadRoadPolylines(node, shape)) return;
    const Matrix3 tm = node->GetObjectTM(0);
    for (const PolyLine& polyline : shape.lines) {
        LaneLine line;
        // A line that cannot be allocated writes nothing; the build sees the shortfall.
        if (!BuildLaneLine(line, polyline, tm, params.stripWidth)) continue;
        FillLineWays(line, params, ways, index, capacity);
        FreeLaneLine(line);
    }
}
