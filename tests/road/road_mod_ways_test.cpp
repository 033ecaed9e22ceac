#include <cmath>
#include <limits>

#include "host/time.h"
#include "road/lane_line.h"
#include "road_scene_support.h"
#include "road_ways_support.h"

namespace {

using RoadModWays = RoadSceneTest;

float DefaultMaxSpeed() { return static_cast<float>(100.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)); }

TEST_F(RoadModWays, DefaultStraightRoadHasOneLaneEachWay) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 2u);
    // Forward lane right of the line, running with the point order; backward lane left of it.
    ExpectCorners(ways[0], {0, -420, 0}, {1000, -420, 0}, {1000, 0, 0}, {0, 0, 0});
    ExpectCorners(ways[1], {1000, 420, 0}, {0, 420, 0}, {0, 0, 0}, {1000, 0, 0});
    EXPECT_EQ(ways[0].frame.GetRow(0), Point3(1, 0, 0));
    EXPECT_EQ(ways[1].frame.GetRow(0), Point3(-1, 0, 0));
    for (const WayRecord& way : ways) {
        EXPECT_FLOAT_EQ(way.halfX, 500.0f);
        EXPECT_FLOAT_EQ(way.halfY, 210.0f);
        EXPECT_EQ(way.maxSpeed, DefaultMaxSpeed());
        EXPECT_NEAR(way.maxSpeed, 2777.78f, 0.01f);
        EXPECT_EQ(way.enable[0] + way.enable[1] + way.enable[2], 3);
        EXPECT_EQ(way.isBusStop, 0);
        EXPECT_EQ(way.isParking, 0);
    }
}

TEST_F(RoadModWays, ReverseSwapsDirectionsAndKeepsPlaces) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    Block(mod)->SetValue(kReverse, 0, 1);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 2u);
    ExpectCorners(ways[0], {1000, 0, 0}, {0, 0, 0}, {0, -420, 0}, {1000, -420, 0});
    ExpectCorners(ways[1], {0, 0, 0}, {1000, 0, 0}, {1000, 420, 0}, {0, 420, 0});
}

TEST_F(RoadModWays, ShiftOfOneStripWidthMovesTheBandOneLaneLeft) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    Block(mod)->SetValue(kStripWidth, 0, 300.0f);
    Block(mod)->SetValue(kRoadShift, 0, 300.0f);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 2u);
    ExpectCorners(ways[0], {0, 0, 0}, {1000, 0, 0}, {1000, 300, 0}, {0, 300, 0});
    ExpectCorners(ways[1], {1000, 600, 0}, {0, 600, 0}, {0, 300, 0}, {1000, 300, 0});
}

TEST_F(RoadModWays, RightAngleCornerKeepsTheLaneWidthOnBothLegs) {
    PolyLine corner;
    corner.pts = {{{0, 0, 0}}, {{1000, 0, 0}}, {{1000, 1000, 0}}};
    LaneLine line;
    ASSERT_TRUE(BuildLaneLine(line, corner, Matrix3(), 420.0f));
    ASSERT_EQ(line.count, 3);
    EXPECT_FLOAT_EQ(Length(line.sides[1]), 420.0f * std::sqrt(2.0f));
    EXPECT_TRUE(PointsNear(line.sides[1], {-420, 420, 0}, 1e-3f));
    FreeLaneLine(line);

    RoadMod* mod = nullptr;
    INode* node = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}), &mod);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 4u);
    for (const WayRecord& way : ways) EXPECT_NEAR(way.halfY, 210.0f, 1e-3f);
    // The forward lane's outer edge turns at (1420, -420), 420 from both legs.
    EXPECT_TRUE(PointsNear(ways[0].corner[1], {1420, -420, 0}, 1e-3f));
    EXPECT_TRUE(PointsNear(ways[1].corner[0], {1420, -420, 0}, 1e-3f));
    EXPECT_TRUE(PointsNear(ways[1].corner[1], {1420, 1000, 0}, 1e-3f));
}

TEST_F(RoadModWays, ClosedPolylineHasOneSegmentPerPointAndClosesOnPointZero) {
    RoadMod* mod = nullptr;
    const std::vector<Point3> square = {{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}, {0, 1000, 0}};
    INode* node = AddRoad(MakeShape(square, true), &mod);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 8u);
    const std::vector<RoadSegment> segments = SegmentsOf(mod, node);
    ASSERT_EQ(segments.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(segments[k].start, square[k]);
        EXPECT_EQ(segments[k].end, square[(k + 1) % 4]);
    }
    // The closing way of the forward lane runs from point 3 back to point 0.
    EXPECT_TRUE(PointsNear(ways[3].frame.GetRow(0), {0, -1, 0}, 1e-6f));
}

TEST_F(RoadModWays, TwoForwardThreeBackwardOnFourPointsGiveFifteenWays) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {2000, 500, 0}, {3000, 0, 0}}), &mod);
    Block(mod)->SetValue(kForwardStrip, 0, 2);
    Block(mod)->SetValue(kBackwardStrip, 0, 3);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 15u);
    // Lane by lane, and within a lane segment by segment: lanes -2 and -1 run with the points.
    for (std::size_t i = 0; i < 15; ++i) {
        const float along = DotProd(ways[i].frame.GetRow(0), Point3(1, 0, 0));
        EXPECT_EQ(along > 0.0f, i < 6) << i;
    }
    EXPECT_NEAR(ways[0].corner[0].y, -840.0f, 1e-3f);
    // The last way leaves the end point three lane widths out, square to the last leg.
    EXPECT_TRUE(PointsNear(ways[14].corner[0], Point3(3000, 0, 0) + Normalize(Point3(500, 1000, 0)) * 1260.0f, 1e-2f));
}

TEST_F(RoadModWays, KeysBeyondTimeZeroHaveNoEffect) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    IParamBlock2* pb = Block(mod);
    ASSERT_TRUE(pb->SetKey(kStripWidth, 0, 420.0));
    ASSERT_TRUE(pb->SetKey(kStripWidth, 4800, 1000.0));
    ASSERT_TRUE(pb->SetKey(kMaxSpeed, 0, 100.0));
    ASSERT_TRUE(pb->SetKey(kMaxSpeed, 4800, 10.0));
    ASSERT_TRUE(pb->SetKey(kForwardStrip, 0, 1.0));
    ASSERT_TRUE(pb->SetKey(kForwardStrip, 4800, 5.0));
    GetCOREInterface()->SetTime(4800);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 2u);
    ExpectCorners(ways[0], {0, -420, 0}, {1000, -420, 0}, {1000, 0, 0}, {0, 0, 0});
    EXPECT_EQ(ways[0].maxSpeed, DefaultMaxSpeed());
}

TEST_F(RoadModWays, AllEnableOffStillWritesTheWays) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    for (int k = 0; k < 3; ++k) Block(mod)->SetValue(kEnable, 0, 0, k);
    const std::vector<WayRecord> ways = WaysOf(mod, node);
    ASSERT_EQ(ways.size(), 2u);
    for (const WayRecord& way : ways)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(way.enable[k], 0);
}

TEST_F(RoadModWays, EnableFlagsAndLayoutReachTheSegments) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    node->SetNodeTM(0, TransMatrix({0, 0, 50}));
    IParamBlock2* pb = Block(mod);
    pb->SetValue(kEnable, 0, 0, 1);
    pb->SetValue(kReverse, 0, 1);
    pb->SetValue(kForwardStrip, 0, 2);
    pb->SetValue(kBackwardStrip, 0, 0);
    pb->SetValue(kRoadShift, 0, 210.0f);
    const std::vector<RoadSegment> segments = SegmentsOf(mod, node);
    ASSERT_EQ(segments.size(), 1u);
    const RoadSegment& s = segments[0];
    EXPECT_EQ(s.start, Point3(0, 0, 50));
    EXPECT_EQ(s.end, Point3(1000, 0, 50));
    EXPECT_EQ(s.stripWidth, 420.0f);
    EXPECT_EQ(s.shift, 0.5f);
    EXPECT_EQ(s.firstStrip, -2);
    EXPECT_EQ(s.backwardStrips, 0);
    EXPECT_EQ(s.reverse, 1);
    EXPECT_EQ(s.enable[0], 1);
    EXPECT_EQ(s.enable[1], 0);
    EXPECT_EQ(s.enable[2], 1);
}

TEST_F(RoadModWays, ValuesOutsideTheirRangeAreClampedWhenRead) {
    auto* mod = new RoadMod;
    IParamBlock2* pb = Block(mod);
    RoadParams params;
    pb->SetValue(kStripWidth, 0, 0.0f);
    pb->SetValue(kRoadShift, 0, 1e9f);
    pb->SetValue(kForwardStrip, 0, 500);
    pb->SetValue(kBackwardStrip, 0, -3);
    pb->SetValue(kMaxSpeed, 0, 1000.0f);
    ASSERT_TRUE(mod->GetRoadParams(params));
    EXPECT_EQ(params.stripWidth, 1e-4f);
    EXPECT_EQ(params.shift, 1e7f / 1e-4f);
    EXPECT_EQ(params.firstStrip, -100);
    EXPECT_EQ(params.backwardStrips, 0);
    EXPECT_EQ(params.maxSpeed, static_cast<float>(200.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)));

    pb->SetValue(kStripWidth, 0, std::numeric_limits<float>::quiet_NaN());
    pb->SetValue(kRoadShift, 0, -1e9f);
    pb->SetValue(kMaxSpeed, 0, -5.0f);
    ASSERT_TRUE(mod->GetRoadParams(params));
    EXPECT_EQ(params.stripWidth, 1e-4f);
    EXPECT_EQ(params.shift, -1e7f / 1e-4f);
    EXPECT_EQ(params.maxSpeed, static_cast<float>(1.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)));
    mod->DeleteThis();
}

TEST_F(RoadModWays, PolylinesBelowTwoPointsContributeNothing) {
    auto* shape = new SplineShape;
    shape->shape.steps = 0;
    AddSpline(shape, {});
    AddSpline(shape, {{5, 5, 0}});
    AddSpline(shape, {{5, 5, 0}}, true);
    RoadMod* mod = nullptr;
    INode* node = AddRoad(shape, &mod);
    EXPECT_TRUE(WaysOf(mod, node).empty());
    EXPECT_TRUE(SegmentsOf(mod, node).empty());

    // Not even a polyline that calls itself closed with a single point.
    PolyLine single;
    single.pts = {{{5, 5, 0}}};
    single.closed = true;
    EXPECT_EQ(RoadSegmentCount(single), 0);
    LaneLine line;
    EXPECT_TRUE(BuildLaneLine(line, single, Matrix3(), 420.0f));
    EXPECT_EQ(line.count, 0);
    EXPECT_EQ(line.points, nullptr);
}

TEST_F(RoadModWays, ModifierWithoutBlockContributesNothing) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    mod->DeleteReference(0);
    ASSERT_EQ(Block(mod), nullptr);
    RoadParams params;
    EXPECT_FALSE(mod->GetRoadParams(params));
    EXPECT_TRUE(WaysOf(mod, node).empty());
    EXPECT_TRUE(SegmentsOf(mod, node).empty());
}

}  // namespace
