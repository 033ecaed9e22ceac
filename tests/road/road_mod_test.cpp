// The road modifier: the ways and segments it writes, its lane display, and the class itself.
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "host/rollups.h"
#include "host/time.h"
#include "tests/road/road_support.h"

namespace {

using RoadModTest = RoadSceneTest;

float KmhToUnits(double kmh) { return static_cast<float>(kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)); }

TEST_F(RoadModTest, StraightRoadWays) {
    // Forward lane right of the line, running with the point order; backward lane left of it.
    using Corners = std::array<std::array<Point3, 4>, 2>;
    const Corners kDefault = {{{{{0, -420, 0}, {1000, -420, 0}, {1000, 0, 0}, {0, 0, 0}}},
                               {{{1000, 420, 0}, {0, 420, 0}, {0, 0, 0}, {1000, 0, 0}}}}};
    const struct {
        const char* name;
        void (*setup)(IParamBlock2*);
        Corners corners;
        float halfY;
        int enabled;
    } cases[] = {
        {"default", [](IParamBlock2*) {}, kDefault, 210, 1},
        {"Reverse swaps directions and keeps places", [](IParamBlock2* pb) { pb->SetValue(kReverse, 0, 1); },
         {{{{{1000, 0, 0}, {0, 0, 0}, {0, -420, 0}, {1000, -420, 0}}},
           {{{0, 0, 0}, {1000, 0, 0}, {1000, 420, 0}, {0, 420, 0}}}}},
         210, 1},
        {"a shift of one strip width moves the band one lane left",
         [](IParamBlock2* pb) { pb->SetValue(kStripWidth, 0, 300.0f), pb->SetValue(kRoadShift, 0, 300.0f); },
         {{{{{0, 0, 0}, {1000, 0, 0}, {1000, 300, 0}, {0, 300, 0}}},
           {{{1000, 600, 0}, {0, 600, 0}, {0, 300, 0}, {1000, 300, 0}}}}},
         150, 1},
        {"keys beyond time 0 have no effect",
         [](IParamBlock2* pb) {
             const std::tuple<ParamID, double, double> keys[] = {{kStripWidth, 420, 1000}, {kMaxSpeed, 100, 10},
                                                                 {kForwardStrip, 1, 5}};
             for (const auto& [id, v0, v1] : keys) ASSERT_TRUE(pb->SetKey(id, 0, v0) && pb->SetKey(id, 4800, v1));
             GetCOREInterface()->SetTime(4800);
         },
         kDefault, 210, 1},
        {"all Enable off is still written",
         [](IParamBlock2* pb) {
             for (int k = 0; k < 3; ++k) pb->SetValue(kEnable, 0, 0, k);
         },
         kDefault, 210, 0},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        GetCOREInterface()->ResetScene();
        RoadMod* mod = nullptr;
        INode* node = AddRoad(MakeShape(), &mod);
        t.setup(Block(mod));
        const std::vector<WayRecord> ways = WaysOf(mod, node);
        ASSERT_EQ(ways.size(), 2u);
        for (int w = 0; w < 2; ++w) {
            for (int c = 0; c < 4; ++c) EXPECT_EQ(ways[w].corner[c], t.corners[w][c]) << w << " " << c;
            EXPECT_FLOAT_EQ(ways[w].halfX, 500.0f);
            EXPECT_FLOAT_EQ(ways[w].halfY, t.halfY);
            EXPECT_EQ(ways[w].maxSpeed, KmhToUnits(100.0));
            for (const std::uint8_t e : ways[w].enable) EXPECT_EQ(e, t.enabled);
            EXPECT_TRUE(ways[w].isBusStop == 0 && ways[w].isParking == 0);
        }
    }
}

struct RandomRoad {
    INode* node = nullptr;
    RoadMod* mod = nullptr;
    int segments = 0;  // counted from the knots, independently of the polylines
    int lines = 0;     // polylines of two points or more
    int lanes = 0;
};

// Several splines of 0 to 5 knots, some closed, cut at 0 to 2 steps, under random parameters.
RandomRoad MakeRandomRoad(std::mt19937& rng) {
    GetCOREInterface()->ResetScene();
    std::uniform_real_distribution<float> coord(-5000.0f, 5000.0f);
    std::uniform_int_distribution<int> small(0, 5);
    auto* shape = new SplineShape;
    shape->shape.steps = small(rng) % 3;
    RandomRoad road;
    for (int s = 1 + small(rng) % 4; s > 0; --s) {
        const int n = small(rng);
        const bool closed = small(rng) < 2;
        std::vector<Point3> knots;
        for (int i = 0; i < n; ++i) knots.push_back({coord(rng), coord(rng), coord(rng) * 0.1f});
        AddSpline(shape, knots, closed);
        if (n < 2) continue;
        road.segments += (closed ? n : n - 1) * (shape->shape.steps + 1);
        ++road.lines;
    }
    road.node = AddRoad(shape, &road.mod);
    road.node->SetNodeTM(0, RotateZMatrix(coord(rng) * 1e-3f) * TransMatrix({coord(rng), coord(rng), 10}));
    road.node->SetObjOffset(ScaleMatrix({1.5f, 1.5f, 1.0f}));
    IParamBlock2* pb = Block(road.mod);
    const int forward = small(rng), backward = small(rng);
    pb->SetValue(kForwardStrip, 0, forward);
    pb->SetValue(kBackwardStrip, 0, backward);
    pb->SetValue(kStripWidth, 0, 50.0f + std::abs(coord(rng)) * 0.1f);
    pb->SetValue(kRoadShift, 0, coord(rng) * 0.2f);
    pb->SetValue(kReverse, 0, small(rng) % 2);
    road.lanes = forward + backward;
    return road;
}

TEST_F(RoadModTest, CountsEqualWhatTheFillsWriteAndFillsNeverPassTheCapacity) {
    std::mt19937 rng(5);
    constexpr float kUntouched = -12345.0f;
    for (int trial = 0; trial < 150; ++trial) {
        const RandomRoad road = MakeRandomRoad(rng);
        const int total = road.segments * road.lanes;
        int segmentCount = 0, wayCount = 0, segmentIndex = 0, wayIndex = 0;
        road.mod->CountSegments(road.node, segmentCount);
        road.mod->CountWays(road.node, wayCount);
        ASSERT_EQ(segmentCount, road.segments) << trial;
        ASSERT_EQ(wayCount, total) << trial;
        // Exactly sized arrays, so the sanitizer sees any write past them.
        std::unique_ptr<RoadSegment[]> exactSegments(new RoadSegment[static_cast<std::size_t>(segmentCount)]);
        std::unique_ptr<WayRecord[]> exactWays(new WayRecord[static_cast<std::size_t>(wayCount)]);
        road.mod->FillSegments(road.node, exactSegments.get(), segmentIndex, segmentCount);
        road.mod->FillWays(road.node, exactWays.get(), wayIndex, wayCount);
        EXPECT_EQ(segmentIndex, segmentCount) << trial;
        EXPECT_EQ(wayIndex, wayCount) << trial;

        // Up to half the total, from index 1 and from an index already past that capacity.
        const int capacity = total / 2;
        for (const int start : {total > 0 ? 1 : 0, capacity + 1}) {
            std::vector<WayRecord> ways(static_cast<std::size_t>(total) + 3);
            for (WayRecord& way : ways) way.maxSpeed = kUntouched;
            int index = start;
            road.mod->FillWays(road.node, ways.data(), index, capacity);
            EXPECT_EQ(index, std::max(start, capacity)) << trial;
            for (int i = 0; i < static_cast<int>(ways.size()); ++i)
                EXPECT_EQ(ways[i].maxSpeed != kUntouched, i >= start && i < capacity) << trial << " " << i;
        }
        std::vector<RoadSegment> segments(static_cast<std::size_t>(road.segments) + 2);
        for (RoadSegment& s : segments) s.stripWidth = kUntouched;
        int index = 0;
        road.mod->FillSegments(road.node, segments.data(), index, road.segments / 2);
        EXPECT_EQ(index, road.segments / 2) << trial;
        for (int i = 0; i < static_cast<int>(segments.size()); ++i)
            EXPECT_EQ(segments[i].stripWidth != kUntouched, i < road.segments / 2) << trial;
    }
}

// The node's display: its evaluated shape, kept alive with the state.
struct Display {
    ObjectState state;
    BezierShape& Shape() const { return static_cast<SplineShape*>(state.obj)->shape; }
    Point3 Knot(int spline, int k) const { return Shape().GetSpline(spline)->GetKnotPoint(k); }
};

Display Evaluate(INode* node, TimeValue t = 0) {
    Display d{node->EvalWorldState(t)};
    EXPECT_EQ(d.state.obj->ClassID(), splineShapeClassID);
    return d;
}

TEST_F(RoadModTest, DefaultDisplayShowsThreeBoundariesAndFourChevrons) {
    for (const int reverse : {0, 1}) {
        RoadMod* mod = nullptr;
        INode* node = AddRoad(MakeShape(), &mod);
        Block(mod)->SetValue(kReverse, 0, reverse);
        const Display d = Evaluate(node);
        ASSERT_EQ(d.Shape().SplineCount(), 7);
        for (int j = 0; j < 3; ++j) {
            ASSERT_EQ(d.Shape().GetSpline(j)->KnotCount(), 2);
            EXPECT_FALSE(d.Shape().GetSpline(j)->Closed());
            EXPECT_EQ(d.Knot(j, 0), Point3(0, 420.0f * (j - 1), 0));
            EXPECT_EQ(d.Knot(j, 1), Point3(1000, 420.0f * (j - 1), 0));
        }
        // Start and end chevron of the forward lane (towards +X), then of the backward lane; the
        // tip leads by 0.3 lane widths, the outer knots span the middle 60 % of the lane.
        for (int c = 0; c < 4; ++c) {
            ASSERT_EQ(d.Shape().GetSpline(3 + c)->KnotCount(), 3);
            const float lead = (c < 2) != (reverse != 0) ? 126.0f : -126.0f;
            const Point3 tip(1000.0f * (c % 2) + lead, c < 2 ? -210.0f : 210.0f, 0.0f);
            EXPECT_TRUE(Near(d.Knot(3 + c, 1), tip, 1e-3f)) << reverse << " " << c;
            EXPECT_TRUE(Near(d.Knot(3 + c, 1) - (d.Knot(3 + c, 0) + d.Knot(3 + c, 2)) * 0.5f, {lead, 0, 0}, 1e-3f));
            EXPECT_NEAR(std::fabs(d.Knot(3 + c, 2).y - d.Knot(3 + c, 0).y), 252.0f, 1e-3f) << c;
        }
        GetCOREInterface()->ResetScene();
    }
}

TEST_F(RoadModTest, DisplayKnotsAreWayCorners) {
    // Per polyline of two points or more, lanes + 1 boundaries and then two chevrons per lane.
    // Each way's corners are knots of the boundaries on its two edges, through the node's transform.
    std::mt19937 rng(11);
    std::size_t checked = 0;
    for (int trial = 0; trial < 100; ++trial) {
        const RandomRoad road = MakeRandomRoad(rng);
        RoadParams params;
        ASSERT_TRUE(road.mod->GetRoadParams(params));
        const std::vector<WayRecord> ways = WaysOf(road.mod, road.node);
        const Display d = Evaluate(road.node);
        const Matrix3 tm = road.node->GetObjectTM(0);
        ASSERT_EQ(d.Shape().SplineCount(), road.lines * (1 + 3 * road.lanes)) << trial;
        std::size_t w = 0;
        for (int first = 0; first < d.Shape().SplineCount(); first += 1 + 3 * params.LaneCount()) {
            const auto knot = [&](int boundary, int k) { return d.Knot(first + boundary - params.firstStrip, k) * tm; };
            const int segments = d.Shape().GetSpline(first)->KnotCount() - 1;
            for (int lane = params.firstStrip; lane < params.backwardStrips; ++lane) {
                const bool withOrder = (lane < 0) != (params.reverse != 0);
                for (int k = 0; k < segments; ++k, ++w) {
                    ASSERT_LT(w, ways.size()) << trial;
                    const Point3 expected[4] = {withOrder ? knot(lane, k) : knot(lane + 1, k + 1),
                                                withOrder ? knot(lane, k + 1) : knot(lane + 1, k),
                                                withOrder ? knot(lane + 1, k + 1) : knot(lane, k),
                                                withOrder ? knot(lane + 1, k) : knot(lane, k + 1)};
                    // Knots went to object space and back: allow for that round trip.
                    for (int c = 0; c < 4; ++c) {
                        const float tolerance = 1e-5f * (100.0f + Length(expected[c]));
                        EXPECT_TRUE(Near(ways[w].corner[c], expected[c], tolerance)) << trial;
                    }
                }
            }
        }
        EXPECT_EQ(w, ways.size()) << trial;
        checked += w;
    }
    EXPECT_GT(checked, 1000u) << checked;
}

TEST_F(RoadModTest, EditingNotifiesAndRebuildsTheDisplayAtEveryEvaluation) {
    RoadMod* mod = nullptr;
    AddRoad(MakeShape(), &mod);
    OpenRollups().clear();
    GetCOREInterface()->SetTime(320);
    auto* ip = static_cast<IObjParam*>(GetCOREInterface());
    EXPECT_EQ(mod->LocalValidity(320), Interval(320, 320));
    HostClearNotifications();
    mod->BeginEditParams(ip, 0, nullptr);
    EXPECT_TRUE(mod->LocalValidity(320).Empty());
    ASSERT_EQ(OpenRollups().size(), 1u);
    EXPECT_EQ(OpenRollups()[0].block, Block(mod));
    mod->EndEditParams(ip, 0, nullptr);
    EXPECT_EQ(mod->LocalValidity(320), Interval(320, 320));
    EXPECT_TRUE(OpenRollups().empty());
    const RefMessage sent[] = {REFMSG_BEGIN_EDIT, REFMSG_MOD_DISPLAY_ON, REFMSG_END_EDIT, REFMSG_MOD_DISPLAY_OFF};
    ASSERT_EQ(HostNotifications().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const Notification& n = HostNotifications()[static_cast<std::size_t>(i)];
        EXPECT_TRUE(n.sender == mod && n.interval == Interval(320, 320) && n.partID == PART_ALL) << i;
        EXPECT_EQ(n.message, sent[i]) << i;
    }
}

}  // namespace

namespace {

// Saved scenes hold the block by these IDs, and scene files address it by these names.
// Saved scenes address the parameters by these ids.
TEST(RoadModBlock, ParameterIds) {
    RoadMod mod;
    const ParamBlockDesc2* desc = mod.GetParamBlock(0)->GetDesc();
    const std::pair<const wchar_t*, ParamType2> expected[7] = {
        {L"Road_Shift", TYPE_WORLD}, {L"Strip_Width", TYPE_WORLD}, {L"Forward_Strip", TYPE_INT},
        {L"Backward_Strip", TYPE_INT}, {L"Reverse", TYPE_BOOL}, {L"Max_Speed", TYPE_FLOAT}, {L"Enable", TYPE_BOOL},
    };
    ASSERT_EQ(desc->Count(), 7);
    for (short id = 0; id < 7; ++id) {
        const ParamDef* def = desc->FindParam(id);
        ASSERT_NE(def, nullptr) << id;
        EXPECT_EQ(def->internalName, expected[id].first) << id;
        EXPECT_EQ(def->type, expected[id].second) << id;
    }
}

}  // namespace
