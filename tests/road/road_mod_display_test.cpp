#include <cmath>
#include <random>

#include "road_scene_support.h"
#include "road_ways_support.h"

namespace {

using RoadModDisplay = RoadSceneTest;

// The node's display: its evaluated shape, kept alive with the state.
struct Display {
    ObjectState state;
    BezierShape& Shape() const { return static_cast<SplineShape*>(state.obj)->shape; }
    Point3 Knot(int spline, int k) const { return Shape().GetSpline(spline)->GetKnotPoint(k); }
};

Display Evaluate(INode* node, TimeValue t = 0) {
    Display d{node->EvalWorldState(t)};
    EXPECT_NE(d.state.obj, nullptr);
    EXPECT_EQ(d.state.obj->ClassID(), splineShapeClassID);
    return d;
}

// Tip of a chevron relative to the middle of its two outer knots.
Point3 ChevronLead(const Display& d, int spline) {
    return d.Knot(spline, 1) - (d.Knot(spline, 0) + d.Knot(spline, 2)) * 0.5f;
}

TEST_F(RoadModDisplay, DefaultRoadShowsThreeBoundariesAndFourChevrons) {
    INode* node = AddRoad(StraightShape());
    const Display d = Evaluate(node);
    ASSERT_EQ(d.Shape().SplineCount(), 7);
    const float boundaryY[3] = {-420, 0, 420};
    for (int j = 0; j < 3; ++j) {
        const Spline3D* s = d.Shape().GetSpline(j);
        ASSERT_EQ(s->KnotCount(), 2);
        EXPECT_FALSE(s->Closed());
        EXPECT_EQ(s->GetKnotPoint(0), Point3(0, boundaryY[j], 0));
        EXPECT_EQ(s->GetKnotPoint(1), Point3(1000, boundaryY[j], 0));
    }
    // Start and end chevron of the forward lane (towards +X), then of the backward lane.
    const float leadX[4] = {126, 126, -126, -126};
    const float baseX[4] = {0, 1000, 0, 1000};
    const float middleY[4] = {-210, -210, 210, 210};
    for (int c = 0; c < 4; ++c) {
        const Spline3D* s = d.Shape().GetSpline(3 + c);
        ASSERT_EQ(s->KnotCount(), 3);
        EXPECT_TRUE(PointsNear(ChevronLead(d, 3 + c), {leadX[c], 0, 0}, 1e-3f)) << c;
        EXPECT_TRUE(PointsNear(d.Knot(3 + c, 1), {baseX[c] + leadX[c], middleY[c], 0}, 1e-3f)) << c;
        // The outer knots span the middle 60 % of the lane.
        EXPECT_NEAR(std::fabs(d.Knot(3 + c, 2).y - d.Knot(3 + c, 0).y), 252.0f, 1e-3f) << c;
    }
}

TEST_F(RoadModDisplay, ReverseFlipsEveryChevron) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    Block(mod)->SetValue(kReverse, 0, 1);
    const Display d = Evaluate(node);
    ASSERT_EQ(d.Shape().SplineCount(), 7);
    EXPECT_EQ(d.Knot(0, 0), Point3(0, -420, 0));
    const float leadX[4] = {-126, -126, 126, 126};
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(PointsNear(ChevronLead(d, 3 + c), {leadX[c], 0, 0}, 1e-3f)) << c;
}

TEST_F(RoadModDisplay, ClosedPolylineEndsItsBoundariesOnTheFirstKnot) {
    INode* node = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}, true));
    const Display d = Evaluate(node);
    ASSERT_EQ(d.Shape().SplineCount(), 7);
    const Spline3D* s = d.Shape().GetSpline(1);
    ASSERT_EQ(s->KnotCount(), 4);
    EXPECT_FALSE(s->Closed());
    EXPECT_EQ(s->GetKnotPoint(3), s->GetKnotPoint(0));
    // End chevrons lie where the start chevrons are.
    for (int k = 0; k < 3; ++k) EXPECT_EQ(d.Knot(3, k), d.Knot(4, k));
}

TEST_F(RoadModDisplay, NoLanesLeaveOneBoundaryAndShortPolylinesNothing) {
    RoadMod* mod = nullptr;
    auto* shape = StraightShape();
    AddSpline(shape, {{7, 7, 0}});
    AddSpline(shape, {});
    INode* node = AddRoad(shape, &mod);
    Block(mod)->SetValue(kForwardStrip, 0, 0);
    Block(mod)->SetValue(kBackwardStrip, 0, 0);
    const Display d = Evaluate(node);
    ASSERT_EQ(d.Shape().SplineCount(), 1);
    EXPECT_EQ(d.Knot(0, 1), Point3(1000, 0, 0));
}

TEST_F(RoadModDisplay, ShapeOfAnotherClassIsConvertedIntoTheState) {
    auto* foreign = new ForeignShape;
    foreign->knots = {{0, 0, 0}, {1000, 0, 0}};
    INode* node = AddRoad(foreign);
    const Display d = Evaluate(node);
    EXPECT_EQ(d.Shape().SplineCount(), 7);
    EXPECT_EQ(d.Knot(0, 0), Point3(0, -420, 0));
    EXPECT_EQ(node->GetObjectRef(), foreign);
    EXPECT_EQ(foreign->knots.size(), 2u);
}

TEST_F(RoadModDisplay, NodeTransformAppliesAtTheEvaluationTimeParametersAtZero) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    ASSERT_TRUE(Block(mod)->SetKey(kStripWidth, 0, 420.0));
    ASSERT_TRUE(Block(mod)->SetKey(kStripWidth, 4800, 100.0));
    auto* control = static_cast<TransformControl*>(node->GetTMController());
    control->SetKey(0, TransMatrix({0, 0, 0}));
    control->SetKey(4800, TransMatrix({0, 500, 0}));
    // Knots are in object space: lanes are laid in world space, then taken back.
    const Display d = Evaluate(node, 4800);
    EXPECT_TRUE(PointsNear(d.Knot(0, 0), {0, -420, 0}, 1e-3f));
    node->SetObjOffset(ScaleMatrix({2, 2, 2}));
    // World widths stay 420 whatever the node's scale: half as much in object space.
    const Display scaled = Evaluate(node, 0);
    EXPECT_TRUE(PointsNear(scaled.Knot(0, 0), {0, -210, 0}, 1e-3f));
    EXPECT_TRUE(PointsNear(scaled.Knot(0, 1), {1000, -210, 0}, 1e-3f));
}

// Each way's corners are knots of the boundary splines on its two edges, through the node's
// transform, for random roads under random transforms.
TEST_F(RoadModDisplay, DisplayKnotsAreWayCorners) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> coord(-3000.0f, 3000.0f);
    std::uniform_int_distribution<int> lanes(0, 3);
    for (int trial = 0; trial < 40; ++trial) {
        GetCOREInterface()->ResetScene();
        const bool closed = trial % 3 == 0;
        std::vector<Point3> knots;
        const int n = 2 + trial % 4;
        for (int i = 0; i < n; ++i) knots.push_back({coord(rng), coord(rng), coord(rng) * 0.1f});
        RoadMod* mod = nullptr;
        INode* node = AddRoad(MakeShape(knots, closed), &mod);
        node->SetNodeTM(0, RotateZMatrix(coord(rng) * 0.001f) * TransMatrix({coord(rng), coord(rng), 10}));
        node->SetObjOffset(ScaleMatrix({1.5f, 1.5f, 1.0f}));
        IParamBlock2* pb = Block(mod);
        pb->SetValue(kForwardStrip, 0, lanes(rng));
        pb->SetValue(kBackwardStrip, 0, lanes(rng));
        pb->SetValue(kReverse, 0, trial % 2);
        pb->SetValue(kRoadShift, 0, coord(rng) * 0.1f);

        RoadParams params;
        ASSERT_TRUE(mod->GetRoadParams(params));
        const std::vector<WayRecord> ways = WaysOf(mod, node);
        const Display d = Evaluate(node);
        const Matrix3 tm = node->GetObjectTM(0);
        const int segments = closed ? n : n - 1;
        ASSERT_EQ(static_cast<int>(ways.size()), segments * params.LaneCount());
        auto knot = [&](int boundary, int k) { return d.Knot(boundary - params.firstStrip, k) * tm; };
        std::size_t w = 0;
        for (int lane = params.firstStrip; lane < params.backwardStrips; ++lane) {
            const bool withOrder = (lane < 0) != (params.reverse != 0);
            for (int k = 0; k < segments; ++k, ++w) {
                const Point3 right0 = withOrder ? knot(lane, k) : knot(lane + 1, k + 1);
                const Point3 right1 = withOrder ? knot(lane, k + 1) : knot(lane + 1, k);
                const Point3 left1 = withOrder ? knot(lane + 1, k + 1) : knot(lane, k);
                const Point3 left0 = withOrder ? knot(lane + 1, k) : knot(lane, k + 1);
                // Knots went to object space and back: allow for that round trip.
                auto close = [](Point3 a, Point3 b) { return PointsNear(a, b, 1e-5f * (100.0f + Length(b))); };
                EXPECT_TRUE(close(ways[w].corner[0], right0)) << trial;
                EXPECT_TRUE(close(ways[w].corner[1], right1)) << trial;
                EXPECT_TRUE(close(ways[w].corner[2], left1)) << trial;
                EXPECT_TRUE(close(ways[w].corner[3], left0)) << trial;
            }
        }
    }
}

}  // namespace
