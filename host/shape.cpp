#include "host/shape.h"

#include <algorithm>

int PolyLine::Segments() const {
    const int n = NumPts();
    if (closed) return n;
    return n > 1 ? n - 1 : 0;
}

int Spline3D::AddKnot(const SplineKnot& knot, int where) {
    if (where < 0 || where >= KnotCount()) {
        knots_.push_back(knot);
        return KnotCount() - 1;
    }
    knots_.insert(knots_.begin() + where, knot);
    return where;
}

int Spline3D::Segments() const {
    const int n = KnotCount();
    if (closed_) return n > 1 ? n : 0;
    return n > 1 ? n - 1 : 0;
}

bool Spline3D::SegmentIsStraight(int k) const {
    const SplineKnot& a = GetKnot(k);
    const SplineKnot& b = GetKnot((k + 1) % KnotCount());
    const bool aHandle = a.Ktype() == KTYPE_BEZIER || a.Ktype() == KTYPE_BEZIER_CORNER;
    const bool bHandle = b.Ktype() == KTYPE_BEZIER || b.Ktype() == KTYPE_BEZIER_CORNER;
    return a.Ltype() == LTYPE_LINE || (!aHandle && !bHandle);
}

Point3 Spline3D::Interpolate(int k, float u) const {
    const SplineKnot& a = GetKnot(k);
    const SplineKnot& b = GetKnot((k + 1) % KnotCount());
    if (SegmentIsStraight(k)) return a.Knot() + (b.Knot() - a.Knot()) * u;
    const float v = 1.0f - u;
    return a.Knot() * (v * v * v) + a.OutVec() * (3.0f * v * v * u) + b.InVec() * (3.0f * v * u * u) +
           b.Knot() * (u * u * u);
}

PolyLine Spline3D::MakePolyLine(int steps) const {
    PolyLine line;
    line.closed = closed_ && KnotCount() > 1;
    const int n = KnotCount();
    if (n == 0) return line;
    const int segments = Segments();
    for (int k = 0; k < segments; ++k) {
        line.pts.push_back({GetKnotPoint(k)});
        const int pieces = SegmentIsStraight(k) ? 1 : steps + 1;
        for (int i = 1; i < pieces; ++i)
            line.pts.push_back({Interpolate(k, static_cast<float>(i) / static_cast<float>(pieces))});
    }
    if (!line.closed) line.pts.push_back({GetKnotPoint(n - 1)});
    return line;
}

Spline3D* BezierShape::NewSpline(int, int, int) {
    splines_.push_back(std::make_unique<Spline3D>());
    return splines_.back().get();
}

void BezierShape::MakePolyShape(PolyShape& out, int stepCount) const {
    out.lines.clear();
    const int s = stepCount == SHAPE_OWN_STEPS ? steps : std::max(stepCount, 0);
    for (const auto& spline : splines_) out.lines.push_back(spline->MakePolyLine(s));
}

void BezierShape::CopyFrom(const BezierShape& other) {
    steps = other.steps;
    splines_.clear();
    for (const auto& spline : other.splines_) splines_.push_back(std::make_unique<Spline3D>(*spline));
}
