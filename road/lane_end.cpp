#include "road/lane_end.h"

#include <new>

#include "common/planar_geometry.h"
#include "host/shape.h"
#include "road/road_segment.h"

namespace {
void Append(const RoadSegment& s, int lanes, Point3 pos, Point3 dir, Point3 lateral, LaneEnd* ends, int capacity,
            int& n) {
    if (n >= capacity) return;
    ends[n++] = {lanes, pos, dir, lateral, {s.enable[0], s.enable[1], s.enable[2]}};
}
}  // namespace

void EmitLaneEnds(const RoadSegment& s, Point3 p, LaneEnd* ends, int capacity, int& n) {
    const Point3 d = Normalize(s.end - s.start);
    const Point3 l = Normalize(PerpXY(d)) * s.stripWidth;
    p = p + l * s.shift;
    const float first = static_cast<float>(s.firstStrip), backward = static_cast<float>(s.backwardStrips);
    // Forward lanes lie from p + l * firstStrip to p, backward ones from p to p + l * backwardStrips;
    // reverse swaps only their travel directions.
    if (s.reverse == 0) {
        if (s.firstStrip < 0) Append(s, -s.firstStrip, p + l * first, d, l, ends, capacity, n);
        if (s.backwardStrips > 0) Append(s, s.backwardStrips, p + l * backward, -d, -l, ends, capacity, n);
    } else {
        if (s.firstStrip < 0) Append(s, -s.firstStrip, p, -d, -l, ends, capacity, n);
        if (s.backwardStrips > 0) Append(s, s.backwardStrips, p, d, l, ends, capacity, n);
    }
}

void FindLaneEnds(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, LaneEnd* ends,
                  int capacity, int& n) {
    const int m = polyline.NumPts();
    for (int i = 0; i < polyline.Segments(); ++i) {
        const Point3 a = polyline.pts[static_cast<std::size_t>(i)].p * tm;
        const Point3 b = polyline.pts[static_cast<std::size_t>((i + 1) % m)].p * tm;
        for (int j = 0; j < segments.count; ++j) {
            const RoadSegment& s = segments.items[j];
            if (SegmentsCrossXY(s.start, s.end, a, b))
                EmitLaneEnds(s, LineIntersectionXY(a, b, s.start, s.end), ends, capacity, n);
        }
    }
}

LaneEndList::LaneEndList(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm)
    : items(new (std::nothrow) LaneEnd[kLaneEndCapacity]) {
    if (items) FindLaneEnds(segments, polyline, tm, items.get(), kLaneEndCapacity, count);
}
