// Spline shapes (knots with handles) and their polyline form.
#pragma once

#include <memory>
#include <vector>

#include "host/geom.h"

// Knot types.
constexpr int KTYPE_AUTO = 0;
constexpr int KTYPE_CORNER = 1;
constexpr int KTYPE_BEZIER = 2;
constexpr int KTYPE_BEZIER_CORNER = 3;
// Line types of the segment that leaves a knot.
constexpr int LTYPE_CURVE = 0;
constexpr int LTYPE_LINE = 1;
// Parameterisation of a new spline.
constexpr int PARM_UNIFORM = 0;
// Steps argument of a polyline conversion that stands for the shape's own steps.
constexpr int SHAPE_OWN_STEPS = -2;

class SplineKnot {
public:
    SplineKnot() = default;
    SplineKnot(int knotType, int lineType, const Point3& p, const Point3& in, const Point3& out)
        : ktype_(knotType), ltype_(lineType), point_(p), inVec_(in), outVec_(out) {}

    int Ktype() const { return ktype_; }
    int Ltype() const { return ltype_; }
    Point3 Knot() const { return point_; }
    Point3 InVec() const { return inVec_; }
    Point3 OutVec() const { return outVec_; }
    void SetKnot(const Point3& p) { point_ = p; }
    void SetInVec(const Point3& p) { inVec_ = p; }
    void SetOutVec(const Point3& p) { outVec_ = p; }

private:
    int ktype_ = KTYPE_CORNER;
    int ltype_ = LTYPE_LINE;
    Point3 point_;
    Point3 inVec_;   // absolute position of the incoming handle
    Point3 outVec_;  // absolute position of the outgoing handle
};

struct PolyPt {
    Point3 p;
};

class PolyLine {
public:
    std::vector<PolyPt> pts;
    bool closed = false;

    int NumPts() const { return static_cast<int>(pts.size()); }
    bool IsClosed() const { return closed; }
    // Point count - 1 when open (never below 0), point count when closed.
    int Segments() const;
};

class PolyShape {
public:
    std::vector<PolyLine> lines;
    int NumLines() const { return static_cast<int>(lines.size()); }
};

class Spline3D {
public:
    int KnotCount() const { return static_cast<int>(knots_.size()); }
    const SplineKnot& GetKnot(int i) const { return knots_[static_cast<std::size_t>(i)]; }
    Point3 GetKnotPoint(int i) const { return GetKnot(i).Knot(); }
    // Inserts before index where; -1 appends. Returns the new knot's index.
    int AddKnot(const SplineKnot& knot, int where = -1);
    void SetClosed(bool closed = true) { closed_ = closed; }
    bool Closed() const { return closed_; }
    int Segments() const;

    // A straight segment gives its ends only, a curved one steps + 1 pieces: lines drawn from
    // polylines are not cut again when they are converted once more.
    PolyLine MakePolyLine(int steps) const;

private:
    bool SegmentIsStraight(int k) const;
    Point3 Interpolate(int k, float u) const;

    std::vector<SplineKnot> knots_;
    bool closed_ = false;
};

class BezierShape {
public:
    int steps = 6;

    // Empties the shape.
    void Init() { splines_.clear(); }
    // Appends an empty spline.
    Spline3D* NewSpline(int interpType = KTYPE_CORNER, int knotType = KTYPE_CORNER, int paramType = PARM_UNIFORM);
    int SplineCount() const { return static_cast<int>(splines_.size()); }
    Spline3D* GetSpline(int i) const { return splines_[static_cast<std::size_t>(i)].get(); }
    void UpdateSels(int = 0) {}
    void InvalidateGeomCache() {}
    // SHAPE_OWN_STEPS uses the shape's own steps; other negative counts mean 0.
    void MakePolyShape(PolyShape& out, int steps = SHAPE_OWN_STEPS) const;
    void CopyFrom(const BezierShape& other);

private:
    std::vector<std::unique_ptr<Spline3D>> splines_;
};
