#include "common/planar_geometry.h"
#include "host/node.h"
#include "host/spline_shape.h"
#include "road/chevron.h"
#include "road/lane_line.h"
#include "road/mark_shape.h"
#include "road/road_mod.h"

namespace {

void AddBoundary(BezierShape& shape, const LaneLine& line, float offset, const Matrix3& inverse) {
    Spline3D* spline = shape.NewSpline(KTYPE_CORNER, KTYPE_CORNER, PARM_UNIFORM);
    for (int m = 0; m < line.count; ++m)
        spline->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, LanePoint(line, m, offset) * inverse, Point3(), Point3()),
                        -1);
}

// Spans the middle 60 % of the lane at base point b; the tip leads by 0.3 lane widths in the
// travel direction (sign +1 against the point order, -1 with it).
void AddLaneChevron(BezierShape& shape, Point3 b, Point3 s, float offset, float sign, const Matrix3& inverse) {
    AddChevron(shape.NewSpline(KTYPE_CORNER, KTYPE_CORNER, PARM_UNIFORM), b + s * (offset + 0.2f),
               b + s * (offset + 0.5f) + PerpXY(s) * (sign * 0.3f), b + s * (offset + 0.8f), inverse);
}

void AddLaneMarks(BezierShape& shape, const LaneLine& line, const RoadParams& params, const Matrix3& inverse) {
    for (int j = params.firstStrip; j <= params.backwardStrips; ++j)
        AddBoundary(shape, line, static_cast<float>(j) + params.shift, inverse);
    const int last = line.count - 1;
    for (int lane = params.firstStrip; lane < params.backwardStrips; ++lane) {
        const float offset = static_cast<float>(lane) + params.shift;
        const float sign = params.RunsWithPointOrder(lane) ? -1.0f : 1.0f;
        AddLaneChevron(shape, line.points[0], line.sides[0], offset, sign, inverse);
        AddLaneChevron(shape, line.points[last], line.sides[last], offset, sign, inverse);
    }
}

}  // namespace

void RoadMod::BuildLaneShape(TimeValue t, ModContext&, ObjectState* os, INode* node) {
    RoadParams params;
    if (os == nullptr || os->obj == nullptr || !GetRoadParams(params)) return;
    const Matrix3 tm = node != nullptr ? node->GetObjectTM(t) : Matrix3();
    const Matrix3 inverse = Inverse(tm);
    PolyShape polylines;
    SplineShape* spline = TakeShapeForMarks(t, os, polylines);
    if (spline == nullptr) return;
    for (const PolyLine& polyline : polylines.lines) {
        LaneLine line;
        if (!BuildLaneLine(line, polyline, tm, params.stripWidth) || line.count < 2) continue;
        AddLaneMarks(spline->shape, line, params, inverse);
        FreeLaneLine(line);
    }
    ShowMarks(os, spline);
}
