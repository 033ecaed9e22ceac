#include "common/planar_geometry.h"
#include "host/node.h"
#include "host/spline_shape.h"
#include "road/chevron.h"
#include "road/cross_mod.h"
#include "road/junction_link.h"
#include "road/junction_ways.h"
#include "road/mark_shape.h"
#include "road/road_segment.h"

namespace {
struct SegmentsScope {
    RoadSegmentArray array;
    ~SegmentsScope() { FreeRoadSegments(array); }
};

void AddPolylineLayout(BezierShape& shape, const LaneEndList& ends, const CrossParams& p, const Matrix3& inverse) {
    for (int e = 0; e < ends.count; ++e) AddLaneEndChevrons(ends.items[e], &shape, inverse);
    ForEachLink(ends, p.leftTurn, p.rightTurn, [&](const LaneEnd& a, const LaneEnd& b) {
        AddConnectorSpline(shape.NewSpline(KTYPE_CORNER, KTYPE_CORNER, PARM_UNIFORM), a.pos, b.pos, a.dir, b.dir,
                           inverse);
        AddConnectorSpline(shape.NewSpline(KTYPE_CORNER, KTYPE_CORNER, PARM_UNIFORM),
                           a.pos + a.lateral * static_cast<float>(a.laneCount),
                           b.pos + b.lateral * static_cast<float>(b.laneCount), a.dir, b.dir, inverse);
    });
}
}  // namespace

void AddLaneEndChevrons(const LaneEnd& end, BezierShape* shape, const Matrix3& inverse) {
    const Point3 ahead = PerpXY(end.lateral) * -0.3f;
    for (int k = 0; k < end.laneCount; ++k) {
        const float lane = static_cast<float>(k);
        AddChevron(shape->NewSpline(KTYPE_CORNER, KTYPE_CORNER, PARM_UNIFORM), end.pos + end.lateral * (lane + 0.2f),
                   end.pos + end.lateral * (lane + 0.5f) + ahead, end.pos + end.lateral * (lane + 0.8f), inverse);
    }
}

void AddConnectorSpline(Spline3D* spline, Point3 pa, Point3 pb, Point3 ta, Point3 tb, const Matrix3& inverse) {
    Point3 points[kConnectorWays + 1];
    BezierConnector(pa, ta, pb, tb, points);
    for (const Point3& p : points)
        spline->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, p * inverse, Point3(), Point3()), -1);
}

void CrossMod::BuildJunctionShape(TimeValue t, ModContext&, ObjectState* os, INode* node) {
    SegmentsScope segments;
    CrossParams params;
    if (os == nullptr || os->obj == nullptr || !GetCrossParams(params)) return;
    if (!CollectRoadSegments(segments.array)) return;
    const Matrix3 tm = node != nullptr ? node->GetObjectTM(t) : Matrix3();
    const Matrix3 inverse = Inverse(tm);
    PolyShape polylines;
    SplineShape* spline = TakeShapeForMarks(t, os, polylines);
    if (spline == nullptr) return;
    for (const PolyLine& polyline : polylines.lines)
        AddPolylineLayout(spline->shape, LaneEndList(segments.array, polyline, tm), params, inverse);
    ShowMarks(os, spline);
}
