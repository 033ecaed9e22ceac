#include "road/junction_ways.h"

#include "road/junction_link.h"
#include "road/way_record.h"

void BezierConnector(Point3 p0, Point3 t0, Point3 p3, Point3 t3, Point3 (&out)[kConnectorWays + 1]) {
    const float l = 0.4f * Length(p3 - p0);
    const Point3 c1 = p0 + t0 * l, c2 = p3 - t3 * l;
    for (int i = 0; i <= kConnectorWays; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(kConnectorWays), s = 1.0f - t;
        out[i] = p0 * (s * s * s) + c1 * (3.0f * s * s * t) + c2 * (3.0f * s * t * t) + p3 * (t * t * t);
    }
}

void ConnectorEdges(const LaneEnd& a, const LaneEnd& b, Point3 (&inner)[kConnectorWays + 1],
                    Point3 (&outer)[kConnectorWays + 1]) {
    BezierConnector(a.pos, a.dir, b.pos, b.dir, inner);
    BezierConnector(a.pos + a.lateral * static_cast<float>(a.laneCount), a.dir,
                    b.pos + b.lateral * static_cast<float>(b.laneCount), b.dir, outer);
}

void CountJunctionWays(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, bool leftTurn,
                       bool rightTurn, int& count) {
    const LaneEndList ends(segments, polyline, tm);
    ForEachLink(ends, leftTurn, rightTurn, [&](const LaneEnd&, const LaneEnd&) { count += kConnectorWays; });
}

void FillJunctionWays(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, bool leftTurn,
                      bool rightTurn, float speed, WayRecord* ways, int& index, int capacity) {
    const LaneEndList ends(segments, polyline, tm);
    ForEachLink(ends, leftTurn, rightTurn, [&](const LaneEnd& a, const LaneEnd& b) {
        if (index > capacity - kConnectorWays) return;
        Point3 inner[kConnectorWays + 1], outer[kConnectorWays + 1];
        ConnectorEdges(a, b, inner, outer);
        for (int k = 0; k < kConnectorWays; ++k) {
            WayRecord& way = ways[index++];
            way = WayRecord();
            way.SetCorners(inner[k], inner[k + 1], outer[k + 1], outer[k]);
            way.maxSpeed = speed;
            for (int f = 0; f < 3; ++f) way.enable[f] = a.enable[f] & b.enable[f];
        }
    });
}
