#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "host/interface.h"
#include "host/spline_shape.h"
#include "host/testing.h"

namespace {

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCOREInterface()->ResetScene();
        HostClearNotifications();
    }
    void TearDown() override { GetCOREInterface()->ResetScene(); }

    static SplineShape* Line(Point3 a, Point3 b) {
        auto* shape = new SplineShape;
        Spline3D* s = shape->shape.NewSpline();
        s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, a, a, a));
        s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, b, b, b));
        return shape;
    }
};

// Moves every knot of a spline shape by +1 in x, and counts its calls.
class ShiftMod : public WSModifier {
public:
    int calls = 0;
    Class_ID ClassID() override { return Class_ID(77, 77); }
    void ModifyObject(TimeValue, ModContext&, ObjectState* os, INode*) override {
        ++calls;
        auto* shape = static_cast<SplineShape*>(os->obj);
        Spline3D* s = shape->shape.GetSpline(0);
        Spline3D moved;
        for (int i = 0; i < s->KnotCount(); ++i) {
            SplineKnot k = s->GetKnot(i);
            k.SetKnot(k.Knot() + Point3(1, 0, 0));
            moved.AddKnot(k);
        }
        *s = moved;
    }
};

// Replaces its input by a new spline shape, as a modifier converting a foreign shape does.
class ReplaceMod : public WSModifier {
public:
    void ModifyObject(TimeValue, ModContext&, ObjectState* os, INode*) override {
        auto* shape = new SplineShape;
        shape->shape.NewSpline()->AddKnot(SplineKnot());
        os->obj = shape;
    }
};

TEST_F(SceneTest, ChildrenKeepTheirOrderAndHandlesAreNeverReused) {
    Interface* ip = GetCOREInterface();
    INode* a = ip->CreateObjectNode(nullptr);
    INode* b = ip->CreateObjectNode(nullptr);
    INode* c = ip->CreateObjectNode(nullptr, a);
    EXPECT_EQ(ip->GetRootNode()->NumberOfChildren(), 2);
    EXPECT_EQ(ip->GetRootNode()->GetChildNode(0), a);
    EXPECT_EQ(ip->GetRootNode()->GetChildNode(1), b);
    EXPECT_EQ(a->GetChildNode(0), c);
    EXPECT_EQ(ip->GetRootNode()->GetChildNode(2), nullptr);
    const ULONG ha = a->GetHandle(), hc = c->GetHandle();
    EXPECT_EQ(ip->GetINodeByHandle(hc), c);
    ip->DeleteNode(a);
    EXPECT_EQ(ip->GetINodeByHandle(ha), nullptr);
    EXPECT_EQ(ip->GetINodeByHandle(hc), nullptr);
    INode* d = ip->CreateObjectNode(nullptr);
    EXPECT_GT(d->GetHandle(), hc);
    EXPECT_EQ(ip->GetRootNode()->GetChildNode(0), b);
}

TEST_F(SceneTest, NodeTransformsComposeWithTheParentAndTheObjectOffset) {
    Interface* ip = GetCOREInterface();
    INode* parent = ip->CreateObjectNode(nullptr);
    INode* child = ip->CreateObjectNode(nullptr, parent);
    parent->SetNodeTM(0, RotateZMatrix(std::numbers::pi_v<float> / 2) * TransMatrix({10, 0, 0}));
    child->SetNodeTM(0, TransMatrix({10, 5, 0}));
    // The child keeps its world placement, stored relative to its parent.
    const Point3 p = Point3(0, 0, 0) * child->GetNodeTM(0);
    EXPECT_NEAR(p.x, 10, 1e-4);
    EXPECT_NEAR(p.y, 5, 1e-4);
    child->SetObjOffset(TransMatrix({1, 0, 0}));
    const Point3 q = Point3(0, 0, 0) * child->GetObjectTM(0);
    EXPECT_NEAR(q.x, 11, 1e-4);
    EXPECT_NEAR(q.y, 5, 1e-4);
}

TEST_F(SceneTest, KeyedTransformsInterpolateAndHoldTheirEnds) {
    INode* node = GetCOREInterface()->CreateObjectNode(nullptr);
    auto* control = static_cast<TransformControl*>(node->GetTMController());
    control->SetKey(0, TransMatrix({0, 0, 0}));
    control->SetKey(100, RotateZMatrix(std::numbers::pi_v<float> / 2) * TransMatrix({10, 0, 0}));
    const Matrix3 mid = node->GetNodeTM(50);
    EXPECT_NEAR(mid.GetTrans().x, 5, 1e-4);
    EXPECT_NEAR(mid.GetRow(0).x, std::cos(std::numbers::pi / 4), 1e-5);
    EXPECT_NEAR(mid.GetRow(0).y, std::sin(std::numbers::pi / 4), 1e-5);
    EXPECT_NEAR(node->GetNodeTM(500).GetTrans().x, 10, 1e-4);
    EXPECT_NEAR(node->GetNodeTM(-5).GetTrans().x, 0, 1e-4);
    Interval valid = FOREVER;
    node->GetNodeTM(50, &valid);
    EXPECT_EQ(valid, Interval(50, 50));
}

TEST_F(SceneTest, WorldStateAppliesEnabledModifiersOnACopy) {
    SplineShape* base = Line({0, 0, 0}, {5, 0, 0});
    INode* node = GetCOREInterface()->CreateObjectNode(base);
    auto* lower = new ShiftMod;
    auto* upper = new ShiftMod;
    node->AddWSModifier(lower);
    node->AddWSModifier(upper);
    ASSERT_EQ(node->GetObjOrWSMRef()->SuperClassID(), GEN_DERIVOB_CLASS_ID);
    auto* stack = static_cast<IDerivedObject*>(node->GetObjOrWSMRef());
    EXPECT_EQ(stack->GetModifier(0), upper);
    EXPECT_EQ(stack->GetModifier(1), lower);
    EXPECT_EQ(stack->GetObjRef(), base);
    EXPECT_EQ(node->GetObjectRef(), base);

    ObjectState os = node->EvalWorldState(0);
    ASSERT_NE(os.obj, base);
    EXPECT_EQ(static_cast<SplineShape*>(os.obj)->shape.GetSpline(0)->GetKnotPoint(0), Point3(2, 0, 0));
    EXPECT_EQ(base->shape.GetSpline(0)->GetKnotPoint(0), Point3(0, 0, 0));

    lower->DisableMod();
    EXPECT_FALSE(lower->IsEnabled());
    ObjectState off = node->EvalWorldState(0);
    EXPECT_EQ(static_cast<SplineShape*>(off.obj)->shape.GetSpline(0)->GetKnotPoint(0), Point3(1, 0, 0));
    EXPECT_EQ(lower->calls, 1);
    lower->EnableMod();
    ASSERT_EQ(HostNotifications().size(), 2u);
    EXPECT_EQ(HostNotifications()[0].sender, lower);
    EXPECT_EQ(HostNotifications()[0].message, REFMSG_CHANGE);
    EXPECT_EQ(HostNotifications()[0].interval, FOREVER);
}

TEST_F(SceneTest, WithoutModifiersTheStateIsTheObjectItself) {
    SplineShape* base = Line({0, 0, 0}, {5, 0, 0});
    INode* node = GetCOREInterface()->CreateObjectNode(base);
    EXPECT_EQ(node->EvalWorldState(0).obj, base);
    node->AddWSModifier(new ShiftMod);
    static_cast<IDerivedObject*>(node->GetObjOrWSMRef())->GetModifier(0)->DisableMod();
    EXPECT_EQ(node->EvalWorldState(0).obj, base);
}

TEST_F(SceneTest, AnObjectPutIntoTheStateBelongsToIt) {
    INode* node = GetCOREInterface()->CreateObjectNode(Line({0, 0, 0}, {1, 0, 0}));
    node->AddWSModifier(new ReplaceMod);
    ObjectState os = node->EvalWorldState(0);
    ASSERT_NE(os.obj, nullptr);
    EXPECT_EQ(static_cast<SplineShape*>(os.obj)->shape.GetSpline(0)->KnotCount(), 1);
}

TEST_F(SceneTest, ReferencesFreeObjectsWithTheirNodes) {
    Interface* ip = GetCOREInterface();
    SplineShape* shared = Line({0, 0, 0}, {1, 0, 0});
    INode* a = ip->CreateObjectNode(shared);
    INode* b = ip->CreateObjectNode(shared);
    EXPECT_EQ(shared->NumDependents(), 2);
    ip->DeleteNode(a);
    EXPECT_EQ(shared->NumDependents(), 1);
    EXPECT_EQ(b->GetObjectRef(), shared);
}

SplineKnot Corner(Point3 p) { return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p); }
SplineKnot Smooth(Point3 p, Point3 handle) { return SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, p, p - handle, p + handle); }

// Straight segments convert to their ends and curves once, so converting a converted shape again
// (as the viewport does with a road's lane lines) adds no points.
TEST(Spline, PointCountsOfStraightAndCurvedSegments) {
    struct Row { const char* name; std::vector<SplineKnot> knots; bool closed; int steps; int points; };
    const Point3 up(0, 3, 0);
    const std::vector<Row> rows = {
        {"open corners", {Corner({0, 0, 0}), Corner({6, 0, 0}), Corner({6, 6, 0})}, false, 100, 3},
        {"closed corners", {Corner({0, 0, 0}), Corner({6, 0, 0}), Corner({6, 6, 0})}, true, 100, 3},
        {"chevron", {Corner({0, 0, 0}), Corner({1, 1, 0}), Corner({2, 0, 0})}, false, 6, 3},
        {"open curve", {Smooth({0, 0, 0}, up), Smooth({4, 0, 0}, up)}, false, 2, 4},
        {"closed curve", {Smooth({0, 0, 0}, up), Smooth({4, 0, 0}, up)}, true, 2, 6},
        {"curve then straight", {Smooth({0, 0, 0}, up), Corner({4, 0, 0}), Corner({8, 0, 0})}, false, 4, 7},
    };
    for (const Row& row : rows) {
        BezierShape shape;
        shape.steps = row.steps;
        Spline3D* s = shape.NewSpline();
        for (const SplineKnot& k : row.knots) s->AddKnot(k);
        s->SetClosed(row.closed);
        PolyShape own, explicitSteps, again;
        shape.MakePolyShape(own, SHAPE_OWN_STEPS);
        shape.MakePolyShape(explicitSteps, row.steps);
        EXPECT_EQ(own.lines.at(0).NumPts(), row.points) << row.name;
        EXPECT_EQ(explicitSteps.lines.at(0).NumPts(), row.points) << row.name;
        BezierShape lines;
        Spline3D* copy = lines.NewSpline();
        for (const PolyPt& p : own.lines[0].pts) copy->AddKnot(Corner(p.p));
        copy->SetClosed(row.closed);
        lines.steps = 100;
        lines.MakePolyShape(again);
        EXPECT_EQ(again.lines.at(0).NumPts(), row.points) << row.name << ": converted again";
    }
}

TEST(Spline, BezierSegmentsFollowTheirHandles) {
    Spline3D s;
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(0, 0, 0), Point3(0, 0, 0), Point3(0, 3, 0)));
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(4, 0, 0), Point3(4, 3, 0), Point3(4, 0, 0)));
    PolyLine line = s.MakePolyLine(1);
    ASSERT_EQ(line.NumPts(), 3);
    EXPECT_NEAR(line.pts[1].p.x, 2.0f, 1e-5);
    EXPECT_NEAR(line.pts[1].p.y, 2.25f, 1e-5);
}

TEST(Spline, ShortSplinesGiveShortPolylines) {
    Spline3D empty;
    EXPECT_EQ(empty.MakePolyLine(6).NumPts(), 0);
    Spline3D one;
    one.AddKnot(SplineKnot());
    one.SetClosed();
    const PolyLine line = one.MakePolyLine(6);
    EXPECT_EQ(line.NumPts(), 1);
    EXPECT_EQ(line.Segments(), 0);
}

}  // namespace
