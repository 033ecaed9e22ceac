// Scenes of roads for the road modifier and lane network build tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "host/interface.h"
#include "host/spline_shape.h"
#include "host/testing.h"
#include "road/road_class_ids.h"
#include "road/road_mod.h"
#include "road/road_params.h"

// Each test starts from an empty scene at time 0 with no notifications recorded.
class RoadSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCOREInterface()->ResetScene();
        HostClearNotifications();
    }
    void TearDown() override { GetCOREInterface()->ResetScene(); }
};

inline void AddSpline(SplineShape* shape, const std::vector<Point3>& knots, bool closed = false) {
    Spline3D* s = shape->shape.NewSpline();
    for (const Point3& p : knots) s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p));
    s->SetClosed(closed);
}

// A shape whose polylines are just its knots.
inline SplineShape* MakeShape(const std::vector<Point3>& knots, bool closed = false) {
    auto* shape = new SplineShape;
    shape->shape.steps = 0;
    AddSpline(shape, knots, closed);
    return shape;
}

inline RoadMod* AddRoadMod(INode* node) {
    auto* mod = new RoadMod;
    node->AddWSModifier(mod);
    return mod;
}

// A node carrying the shape with one road modifier on it.
inline INode* AddRoad(Object* shape, RoadMod** mod = nullptr, INode* parent = nullptr) {
    INode* node = GetCOREInterface()->CreateObjectNode(shape, parent);
    RoadMod* road = AddRoadMod(node);
    if (mod != nullptr) *mod = road;
    return node;
}

inline IParamBlock2* Block(RoadMod* mod) { return mod->GetParamBlock(0); }

// The default straight road: two knots 1000 apart along +X.
inline SplineShape* StraightShape() { return MakeShape({{0, 0, 0}, {1000, 0, 0}}); }

// Turns its input's every knot by +1000 in y; stands for a crossing on the road's stack.
class FakeCrossMod : public WSModifier {
public:
    int calls = 0;
    Class_ID ClassID() override { return kCrossModClassID; }
    void ModifyObject(TimeValue, ModContext&, ObjectState* os, INode*) override {
        ++calls;
        auto* shape = static_cast<SplineShape*>(os->obj);
        for (int i = 0; i < shape->shape.SplineCount(); ++i) {
            Spline3D* s = shape->shape.GetSpline(i);
            Spline3D moved;
            for (int k = 0; k < s->KnotCount(); ++k) {
                SplineKnot knot = s->GetKnot(k);
                knot.SetKnot(knot.Knot() + Point3(0, 1000, 0));
                moved.AddKnot(knot);
            }
            moved.SetClosed(s->Closed());
            *s = moved;
        }
    }
};

// A shape of another class that becomes a new spline shape on conversion, as a primitive does.
class ForeignShape : public ShapeObject {
public:
    std::vector<Point3> knots;

    Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }
    void MakePolyShape(TimeValue, PolyShape& out, int, bool) override {
        out.lines.assign(1, PolyLine());
        for (const Point3& p : knots) out.lines[0].pts.push_back({p});
    }
    Object* ConvertToType(TimeValue, Class_ID id) override {
        if (id != splineShapeClassID) return nullptr;
        return MakeShape(knots);
    }
    ReferenceTarget* Clone(RemapDir&) override {
        auto* copy = new ForeignShape;
        copy->knots = knots;
        return copy;
    }
};

inline ::testing::AssertionResult PointsNear(Point3 a, Point3 b, float tolerance) {
    if (Length(a - b) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", "
                                         << b.y << ", " << b.z << ")";
}
