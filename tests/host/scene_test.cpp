#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

TEST(Spline, UnoptimisedSegmentsAreCutIntoStepsPlusOnePieces) {
    Spline3D s;
    s.AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, Point3(0, 0, 0), Point3(), Point3()));
    s.AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, Point3(6, 0, 0), Point3(), Point3()));
    s.AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, Point3(6, 6, 0), Point3(), Point3()));
    PolyLine open = s.MakePolyLine(2, false);
    EXPECT_EQ(open.NumPts(), 7);
    EXPECT_EQ(open.Segments(), 6);
    EXPECT_EQ(open.pts[1].p, Point3(2, 0, 0));
    EXPECT_EQ(open.pts[6].p, Point3(6, 6, 0));
    EXPECT_EQ(s.MakePolyLine(2, true).NumPts(), 3);
    s.SetClosed();
    PolyLine closed = s.MakePolyLine(0, false);
    EXPECT_TRUE(closed.IsClosed());
    EXPECT_EQ(closed.NumPts(), 3);
    EXPECT_EQ(closed.Segments(), 3);
}

}  // namespace
