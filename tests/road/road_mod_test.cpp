// The road modifier: the ways and segments it writes, its lane display, and the class itself.
#include <array>
#include <cstring>
#include <limits>
#include <tuple>

#include "host/rollups.h"
#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/parking.h"
#include "road/road_segment.h"
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

// Every reader holds what it reads to the parameter's range, a NaN at its low end; a road's
// segments carry what it read, its flags entry by entry.
TEST_F(RoadModTest, ValuesPastTheirRangesAreReadAtItsEnds) {
    RoadMod* road = nullptr;
    AddRoad(MakeShape(), &road);
    IParamBlock2* pb = Block(road);
    const struct { float width, shift; int forward, backward, flag; RoadSegment expected; } rows[] = {
        {-5, -2e7f, -3, 2, 1, {{0, 0, 0}, {1000, 0, 0}, 1e-4f, -1e7f / 1e-4f, 0, 2, 1, {0, 1, 0}}},
        {2e7f, 3e7f, 150, 101, 0, {{0, 0, 0}, {1000, 0, 0}, 1e7f, 1.0f, -100, 100, 0, {1, 1, 0}}},
    };
    for (const auto& r : rows) {
        pb->SetValue(kStripWidth, 0, r.width), pb->SetValue(kRoadShift, 0, r.shift), pb->SetValue(kReverse, 0, r.flag);
        pb->SetValue(kForwardStrip, 0, r.forward), pb->SetValue(kBackwardStrip, 0, r.backward);
        pb->SetValue(kEnable, 0, 1 - r.flag, 0), pb->SetValue(kEnable, 0, 0, 2);
        RoadSegmentArray segments;
        ASSERT_TRUE(CollectRoadSegments(segments) && segments.count == 1);
        EXPECT_EQ(std::memcmp(&segments.items[0], &r.expected, sizeof(RoadSegment)), 0) << r.flag;
        FreeRoadSegments(segments);
    }
    CrossMod cross;
    BusStopObject stop;
    ParkingObject parking;
    RoadParams rp;
    CrossParams cp;
    float v[3];
    // Reads: 0 road speed, 1 crossing speed, 2 half length and 3 width of a bus stop, 4 half
    // length, 5 half width and 6 access angle of a parking place.
    const auto read = [&](int what) {
        if (what < 2) return what == 0 ? (road->GetRoadParams(rp), rp.maxSpeed) : (cross.GetCrossParams(cp), cp.speed);
        if (what < 4) return stop.GetParams(v[0], v[1], rp.reverse), v[what - 2];
        return parking.GetParams(v[0], v[1], v[2]), v[what - 4];
    };
    IParamBlock2 *crossing = cross.GetParamBlock(0), *bay = stop.GetParamBlock(0), *place = parking.GetParamBlock(0);
    const float nan = std::numeric_limits<float>::quiet_NaN(), rad = 0.017453292f;
    const struct { IParamBlock2* pb; ParamID id; float value; int what; float expected; } cases[] = {
        {pb, kMaxSpeed, 500, 0, KmhToUnits(200.0)}, {crossing, 2, 500, 1, KmhToUnits(200.0)},
        {crossing, 2, 0, 1, KmhToUnits(1.0)},       {crossing, 2, -50, 1, KmhToUnits(1.0)},
        {bay, 1, 1e9f, 2, 5e4f},                    {bay, 0, -100, 3, 1e-4f},
        {place, 1, -100, 4, 0.5f * 1e-4f},          {place, 0, 3e5f, 5, 5e4f},
        {place, 2, 500, 6, 90 * rad},               {place, 2, nan, 6, -90 * rad},
    };
    for (const auto& c : cases) {
        c.pb->SetValue(c.id, 0, c.value);
        EXPECT_EQ(read(c.what), c.expected) << c.what << " " << c.value;
    }
}

TEST_F(RoadModTest, DefaultDisplayShowsThreeBoundariesAndFourChevrons) {
    for (const int reverse : {0, 1}) {
        RoadMod* mod = nullptr;
        INode* node = AddRoad(MakeShape(), &mod);
        Block(mod)->SetValue(kReverse, 0, reverse);
        const ObjectState state = node->EvalWorldState(0);
        ASSERT_EQ(state.obj->ClassID(), splineShapeClassID);
        const BezierShape& shape = static_cast<SplineShape*>(state.obj)->shape;
        const auto knot = [&](int s, int k) { return shape.GetSpline(s)->GetKnotPoint(k); };
        ASSERT_EQ(shape.SplineCount(), 7);
        for (int j = 0; j < 3; ++j) {
            ASSERT_EQ(shape.GetSpline(j)->KnotCount(), 2);
            EXPECT_TRUE(!shape.GetSpline(j)->Closed() && knot(j, 0) == Point3(0, 420.0f * (j - 1), 0) &&
                        knot(j, 1) == Point3(1000, 420.0f * (j - 1), 0)) << j;
        }
        // Forward then backward lane's chevrons: tips lead by 0.3 lanes, arms span 60 % of the lane.
        for (int c = 0; c < 4; ++c) {
            ASSERT_EQ(shape.GetSpline(3 + c)->KnotCount(), 3);
            const float lead = (c < 2) != (reverse != 0) ? 126.0f : -126.0f;
            const Point3 tip(1000.0f * (c % 2) + lead, c < 2 ? -210.0f : 210.0f, 0.0f);
            EXPECT_TRUE(Near(knot(3 + c, 1), tip, 1e-3f)) << reverse << " " << c;
            EXPECT_TRUE(Near(knot(3 + c, 1) - (knot(3 + c, 0) + knot(3 + c, 2)) * 0.5f, {lead, 0, 0}, 1e-3f));
            EXPECT_NEAR(std::fabs(knot(3 + c, 2).y - knot(3 + c, 0).y), 252.0f, 1e-3f) << c;
        }
        GetCOREInterface()->ResetScene();
    }
}

// Boundary knots sit on their own side of every corner, mitred so that each keeps its offset
// from both legs: left turns of 45 and 90 degrees, a right turn of 90, and a closed square whose
// first corner is a corner like the others.
TEST_F(RoadModTest, BoundaryLinesAreMitredAtEveryCorner) {
    const float r = 420.0f * (std::sqrt(2.0f) - 1.0f), d = 420.0f * std::sqrt(2.0f), h = d * 0.5f;
    const struct { std::vector<Point3> knots; bool closed; std::vector<Point3> sides; } roads[] = {
        {{{0, 0, 0}, {1000, 0, 0}, {2000, 1000, 0}, {3000, 0, 0}}, false, {{0, 420, 0}, {-r, 420, 0}, {0, d, 0}, {h, h, 0}}},
        {{{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}, {0, 1000, 0}}, true,
         {{420, 420, 0}, {-420, 420, 0}, {-420, -420, 0}, {420, -420, 0}, {420, 420, 0}}},
    };
    for (const auto& road : roads) {
        GetCOREInterface()->ResetScene();
        const ObjectState state = AddRoad(MakeShape(road.knots, road.closed))->EvalWorldState(0);
        const BezierShape& shape = static_cast<SplineShape*>(state.obj)->shape;
        ASSERT_EQ(shape.SplineCount(), 7);
        for (int j = 0; j < 3; ++j) {
            ASSERT_EQ(shape.GetSpline(j)->KnotCount(), static_cast<int>(road.sides.size()));
            for (std::size_t m = 0; m < road.sides.size(); ++m) {
                const Point3 at = road.knots[m % road.knots.size()] + road.sides[m] * static_cast<float>(j - 1);
                const Point3 knot = shape.GetSpline(j)->GetKnotPoint(static_cast<int>(m));
                EXPECT_TRUE(Near(knot, at, 1e-3f)) << road.closed << " " << j << " " << m;
            }
        }
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
    ASSERT_TRUE(OpenRollups().size() == 1u && OpenRollups()[0].block == Block(mod));
    mod->EndEditParams(ip, 0, nullptr);
    EXPECT_EQ(mod->LocalValidity(320), Interval(320, 320));
    EXPECT_TRUE(OpenRollups().empty());
    const RefMessage sent[] = {REFMSG_BEGIN_EDIT, REFMSG_MOD_DISPLAY_ON, REFMSG_END_EDIT, REFMSG_MOD_DISPLAY_OFF};
    ASSERT_EQ(HostNotifications().size(), 4u);
    int i = 0;
    for (const Notification& n : HostNotifications())
        EXPECT_TRUE(n.sender == mod && n.interval == Interval(320, 320) && n.partID == PART_ALL && n.message == sent[i++]) << i;
}

}  // namespace
