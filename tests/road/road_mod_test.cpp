// The road modifier: the ways and segments it writes, its lane display, and the class itself.
#include <array>
#include <tuple>

#include "host/rollups.h"
#include "tests/road/road_support.h"

namespace {

using RoadModTest = RoadSceneTest;

float KmhToUnits(double kmh) { return static_cast<float>(kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)); }

TEST_F(RoadModTest, StraightRoadWays) {
    // Forward lane right of the line, running with the point order; backward lane left of it.
    using Corners = std::array<std::array<Point3, 4>, 2>;
    const Corners kDefault = {{{{{0, -420, 0}, {1000, -420, 0}, {1000, 0, 0}, {0, 0, 0}}},
                               {{{1000, 420, 0}, {0, 420, 0}, {0, 0, 0}, {1000, 0, 0}}}}};
    const struct { const char* name; void (*setup)(IParamBlock2*); Corners corners; float halfY; } cases[] = {
        {"default", [](IParamBlock2*) {}, kDefault, 210},
        {"Reverse swaps directions and keeps places", [](IParamBlock2* pb) { pb->SetValue(kReverse, 0, 1); },
         {{{{{1000, 0, 0}, {0, 0, 0}, {0, -420, 0}, {1000, -420, 0}}},
           {{{0, 0, 0}, {1000, 0, 0}, {1000, 420, 0}, {0, 420, 0}}}}},
         210},
        {"a shift of one strip width moves the band one lane left",
         [](IParamBlock2* pb) { pb->SetValue(kStripWidth, 0, 300.0f), pb->SetValue(kRoadShift, 0, 300.0f); },
         {{{{{0, 0, 0}, {1000, 0, 0}, {1000, 300, 0}, {0, 300, 0}}},
           {{{1000, 600, 0}, {0, 600, 0}, {0, 300, 0}, {1000, 300, 0}}}}},
         150},
        {"keys beyond time 0 have no effect",
         [](IParamBlock2* pb) {
             const std::tuple<ParamID, double, double> keys[] = {{kStripWidth, 420, 1000}, {kMaxSpeed, 100, 10},
                                                                 {kForwardStrip, 1, 5}};
             for (const auto& [id, v0, v1] : keys) ASSERT_TRUE(pb->SetKey(id, 0, v0) && pb->SetKey(id, 4800, v1));
             GetCOREInterface()->SetTime(4800);
         },
         kDefault, 210},
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
            const WayRecord& way = ways[w];
            EXPECT_EQ(std::tie(way.halfX, way.halfY, way.maxSpeed), std::tuple(500.0f, t.halfY, KmhToUnits(100.0))) << w;
            EXPECT_TRUE(way.enable[0] == 1 && way.enable[1] == 1 && way.enable[2] == 1 && !way.isBusStop && !way.isParking);
        }
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
            EXPECT_TRUE(!d.Shape().GetSpline(j)->Closed() && d.Knot(j, 0) == Point3(0, 420.0f * (j - 1), 0) &&
                        d.Knot(j, 1) == Point3(1000, 420.0f * (j - 1), 0)) << j;
        }
        // Forward then backward lane's chevrons: tips lead by 0.3 lanes, arms span 60 % of the lane.
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

// Saved scenes address the parameters by these ids, and scene files by these names.
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
