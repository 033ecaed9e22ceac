#include <gtest/gtest.h>

#include <vector>

#include "host/interface.h"
#include "host/node.h"
#include "host/spline_shape.h"

namespace {

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
