#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/interface.h"
#include "host/node.h"
#include "host/param_block.h"
#include "host/spline_shape.h"
#include "host/testing.h"

namespace {

struct Listener : ReferenceTarget {
    RefResult NotifyRefChanged(const Interval&, ReferenceTarget*, PartID& part, RefMessage) override {
        parts.push_back(std::exchange(part, 0));
        return REF_SUCCEED;
    }
    std::vector<PartID> parts;
};

// A change is logged once, and each holder hears it with a part of its own.
TEST(References, NotificationsAreLoggedOnceAndToldToEachHolder) {
    auto* target = new ReferenceTarget;  // deleted when its last holder lets it go
    Listener a, b;
    a.ReplaceReference(0, target);
    b.ReplaceReference(0, target);
    HostClearNotifications();
    target->NotifyDependents(Interval(0, 160), PART_ALL, REFMSG_CHANGE);
    ASSERT_EQ(HostNotifications().size(), 1u);
    const Notification& n = HostNotifications()[0];
    EXPECT_TRUE(n.sender == target && n.interval == Interval(0, 160) && n.partID == PART_ALL && n.message == REFMSG_CHANGE);
    EXPECT_TRUE(a.parts == std::vector<PartID>{PART_ALL} && b.parts == a.parts);
}

// A table index outside its table is the caller's fault: the host stops there, loudly.
TEST(ParamBlockDeathTest, TableIndexOutOfRangeStopsTheProcess) {
    ParamBlockDesc2 desc(0, L"parameters", 0, nullptr, 0, 0, 0, 0,
                         {ParamDef(0, L"Diagram", TYPE_INT, 0, 0).Table(3), ParamDef(1, L"Node", TYPE_INODE, 0, 0)});
    IParamBlock2 block(&desc);
    EXPECT_TRUE(block.SetValue(0, 0, 7, 2) && block.GetInt(0, 0, 2) == 7 && !block.SetValue(9, 0, 7));
    EXPECT_DEATH(block.GetInt(0, 0, 3), "table index 3 of parameter 0 is outside 0 to 2");
    EXPECT_DEATH(block.SetValue(1, 0, static_cast<INode*>(nullptr), 1), "table index 1 of parameter 1 is outside 0 to 0");
}

SplineKnot Corner(Point3 p) { return SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p); }
SplineKnot Smooth(Point3 p, Point3 handle) { return SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, p, p - handle, p + handle); }

// Segments convert to ends and curves once, so converting again adds no points.
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
        EXPECT_TRUE(own.lines.at(0).NumPts() == row.points && explicitSteps.lines.at(0).NumPts() == row.points) << row.name;
        BezierShape lines;
        Spline3D* copy = lines.NewSpline();
        for (const PolyPt& p : own.lines[0].pts) copy->AddKnot(Corner(p.p));
        copy->SetClosed(row.closed);
        lines.steps = 100;
        lines.MakePolyShape(again);
        EXPECT_EQ(again.lines.at(0).NumPts(), row.points) << row.name << ": converted again";
    }
}

// A clone below a cloned node moves with it, by the offset once; names number on past 999.
TEST(Scene, ClonesMoveOnceAndNamesNumberPast999) {
    Interface* ip = GetCOREInterface();
    ip->ResetScene();
    INode* parent = ip->CreateObjectNode(nullptr);
    ip->CreateObjectNode(nullptr, parent)->SetNodeTM(0, TransMatrix({1, 2, 3}));
    INodeTab nodes, clones;
    nodes.Append(1, &parent);
    Point3 offset(10, 0, 0);
    ASSERT_TRUE(ip->CloneNodes(nodes, offset, true, NODE_COPY, nullptr, &clones) && clones.Count() == 2);
    EXPECT_TRUE(clones[0]->GetNodeTM(0).GetTrans() == offset && clones[1]->GetNodeTM(0).GetTrans() == Point3(11, 2, 3));
    for (int n = 1; n < 1000; ++n)
        ip->CreateObjectNode(nullptr)->SetName(L"Vehicle" + std::to_wstring(1000 + n).substr(1));
    std::wstring name = L"Vehicle999";
    ip->MakeNameUnique(name);
    EXPECT_EQ(name, L"Vehicle1000");
    ip->ResetScene();
}

}  // namespace
