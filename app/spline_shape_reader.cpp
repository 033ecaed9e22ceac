#include "app/spline_shape_reader.h"

#include <memory>
#include <string>

#include "app/json_reader.h"
#include "app/scene_limits.h"
#include "host/spline_shape.h"

namespace {

SplineKnot ReadKnot(const JsonPlace& k) {
    if (k.Value().is_array()) {
        const Point3 p = k.Vector3();
        return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p);
    }
    k.ExpectObject({"point", "in", "out", "type"});
    const Point3 p = k["point"].Vector3();
    const std::string type = k.Has("type") ? k["type"].String() : "corner";
    if (type == "corner") return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p);
    if (type != "bezier") k["type"].Fail("knot type must be \"corner\" or \"bezier\"");
    const Point3 in = k.Has("in") ? k["in"].Vector3() : p;
    const Point3 out = k.Has("out") ? k["out"].Vector3() : p;
    return SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, p, in, out);
}

// A corner knot starts a straight segment, which converts to its ends; a bezier knot starts a
// curve of steps + 1 pieces.
std::size_t SegmentPoints(const SplineKnot& start, int steps) {
    return start.Ltype() == LTYPE_LINE ? 1 : static_cast<std::size_t>(steps) + 1;
}

class PointBudget {
public:
    PointBudget(const JsonPlace& place, std::size_t& left) : place_(place), left_(left) {}
    void Take(std::size_t points) {
        if (points > left_)
            place_.Fail("the scene's shapes pass " + std::to_string(kMaxShapePoints) +
                        " points when turned into polylines; use fewer knots or steps");
        left_ -= points;
    }

private:
    const JsonPlace& place_;
    std::size_t& left_;
};

void ReadSpline(const JsonPlace& s, Spline3D& spline, int steps, PointBudget& budget) {
    s.ExpectObject({"closed", "knots"});
    if (s.Has("closed")) spline.SetClosed(s["closed"].Boolean());
    const JsonPlace knots = s["knots"];
    knots.ExpectArray();
    for (std::size_t k = 0; k < knots.Size(); ++k) {
        spline.AddKnot(ReadKnot(knots.Item(k)));
        budget.Take(k == 0 ? 1 : SegmentPoints(spline.GetKnot(static_cast<int>(k) - 1), steps));
    }
    if (spline.Closed() && spline.KnotCount() > 1)
        budget.Take(SegmentPoints(spline.GetKnot(spline.KnotCount() - 1), steps) - 1);
}

}  // namespace

SplineShape* ReadSplineShape(const JsonPlace& obj, std::size_t& pointBudget) {
    obj.ExpectObject({"class", "steps", "optimize", "splines"});
    auto shape = std::make_unique<SplineShape>();
    if (obj.Has("steps")) {
        shape->shape.steps = obj["steps"].Integer();
        if (shape->shape.steps < 0 || shape->shape.steps > 100) obj["steps"].Fail("steps run from 0 to 100");
    }
    // Straight segments always convert to their ends, so optimising changes nothing; older files
    // may still say it.
    if (obj.Has("optimize")) obj["optimize"].Boolean();
    const JsonPlace splines = obj["splines"];
    splines.ExpectArray();
    PointBudget budget(splines, pointBudget);
    for (std::size_t i = 0; i < splines.Size(); ++i)
        ReadSpline(splines.Item(i), *shape->shape.NewSpline(), shape->shape.steps, budget);
    return shape.release();
}
