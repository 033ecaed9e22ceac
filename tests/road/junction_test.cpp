// Junctions on a "+" of two two-way roads turned any way: lane ends, links, connectors, display.
#include <random>
#include <tuple>

#include "road/cross_mod.h"
#include "road/junction_ways.h"
#include "road/lane_end.h"
#include "road/road_segment.h"
#include "tests/road/road_support.h"

namespace {

class JunctionTest : public RoadSceneTest {
protected:
    // Roads along the turned X and Y axes through centre, in a 2000 square outline with the crossing.
    void MakePlus(float angle, Point3 centre = {}, int lanes = 1) {
        const float c = std::cos(angle), s = std::sin(angle);
        auto at = [&](float x, float y) { return centre + Point3(c * x - s * y, s * x + c * y, 0.0f); };
        // Buses may use only the first road, trucks only the second: connectors are for cars.
        for (const auto& [a, b, k] : {std::tuple{at(-3000, 0), at(3000, 0), 1}, {at(0, -3000), at(0, 3000), 2}}) {
            RoadMod* road = nullptr;
            AddRoad(MakeShape({a, b}), &road);
            Block(road)->SetValue(kForwardStrip, 0, lanes);
            Block(road)->SetValue(kBackwardStrip, 0, lanes);
            Block(road)->SetValue(kEnable, 0, 0, 3 - k);
        }
        outline = GetCOREInterface()->CreateObjectNode(
            MakeShape({at(-1000, -1000), at(1000, -1000), at(1000, 1000), at(-1000, 1000)}, true));
        cross = new CrossMod;
        outline->AddWSModifier(cross);
    }
    void SetTurns(bool left, bool right) {
        cross->GetParamBlock(0)->SetValue(0, 0, left ? 1 : 0);
        cross->GetParamBlock(0)->SetValue(1, 0, right ? 1 : 0);
    }
    std::vector<WayRecord> Connectors() {
        RoadSegmentArray segments;
        EXPECT_TRUE(CollectRoadSegments(segments));
        std::vector<WayRecord> ways = WaysOf(cross, segments, outline);
        FreeRoadSegments(segments);
        return ways;
    }
    INode* outline = nullptr;
    CrossMod* cross = nullptr;
};

// One forward and two backward lanes 100 wide along +X: pos is each bundle's right edge in its
// travel direction; reverse swaps only the directions.
TEST(LaneEnds, EachBundleEndsAtItsRightEdge) {
    RoadSegment s{{-10, 0, 0}, {10, 0, 0}, 100.0f, 0.5f, -1, 2, 0, {1, 0, 1}};
    for (const std::uint8_t reverse : {0, 1}) {
        s.reverse = reverse;
        LaneEnd ends[3];
        int n = 0;
        EmitLaneEnds(s, {}, ends, 2, n);
        EmitLaneEnds(s, {}, ends, 2, n);
        ASSERT_EQ(n, 2) << "capacity";
        const float sign = reverse ? -1.0f : 1.0f;
        const Point3 forwardPos = reverse ? Point3(0, 50, 0) : Point3(0, -50, 0);
        const Point3 backwardPos = reverse ? Point3(0, 50, 0) : Point3(0, 250, 0);
        EXPECT_TRUE(ends[0].laneCount == 1 && ends[0].pos == forwardPos && ends[0].dir == Point3(sign, 0, 0));
        EXPECT_TRUE(ends[0].lateral == Point3(0, 100 * sign, 0) && ends[0].enable[2] == 1);
        EXPECT_TRUE(ends[1].laneCount == 2 && ends[1].pos == backwardPos && ends[1].dir == Point3(-sign, 0, 0));
        EXPECT_EQ(ends[1].lateral, Point3(0, -100 * sign, 0));
    }
}

// Turned any way, the junction links by the turn switches; a link turns left when its chord's cross
// product with its starting direction is positive. Random junctions fill what they count.
TEST_F(JunctionTest, LinksByTheTurnSwitchesTurnedAnyWay) {
    const struct { bool left, right; std::size_t links, lefts; } rows[] = {
        {true, true, 8, 4}, {false, true, 4, 0}, {true, false, 4, 4}, {false, false, 0, 0}};
    for (int degrees = 0; degrees < 90; ++degrees) {
        GetCOREInterface()->ResetScene();
        MakePlus(static_cast<float>(degrees) * 0.017453292f, {1234.5f, -678.25f, 0});
        for (const auto& row : rows) {
            SetTurns(row.left, row.right);
            const std::vector<WayRecord> ways = Connectors();
            ASSERT_EQ(ways.size(), row.links * kConnectorWays) << degrees << row.left << row.right;
            std::size_t lefts = 0;
            for (std::size_t i = 0; i < ways.size(); i += kConnectorWays) {
                const Point3 start = ways[i].corner[0], dir = ways[i].corner[1] - start;
                const Point3 chord = ways[i + kConnectorWays - 1].corner[1] - start;
                lefts += dir.x * chord.y - dir.y * chord.x > 0.0f ? 1 : 0;
            }
            EXPECT_EQ(lefts, row.lefts) << degrees << row.left << row.right;
        }
    }
    std::mt19937 random(14);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < 40; ++i) {
        GetCOREInterface()->ResetScene();
        MakePlus(unit(random) * 6.2831853f, {unit(random) * 1e5f, unit(random) * 1e5f, unit(random) * 100},
                 1 + static_cast<int>(unit(random) * 3));
        SetTurns(unit(random) < 0.7f, unit(random) < 0.7f);
        Connectors();
    }
}

// Each connector's ways are bitwise the display's two curves of the link, open to the classes
// both its roads are, from edge to edge of its lane ends. The chevron of each of the 8 lane ends leads by 0.3 lanes into the junction
// where its lane enters and out of it where its lane leaves.
TEST_F(JunctionTest, ConnectorWaysAreTheDisplayedCurves) {
    MakePlus(0.0f);
    const std::vector<WayRecord> ways = Connectors();
    ASSERT_EQ(ways.size(), 8u * kConnectorWays);
    const ObjectState state = outline->EvalWorldState(0);
    const BezierShape& shape = static_cast<SplineShape*>(state.obj)->shape;
    ASSERT_EQ(shape.SplineCount(), 8 + 2 * 8);
    const Point3 tips[8] = {{210, -874, 0}, {-210, -1126, 0}, {1126, -210, 0}, {874, 210, 0},
                            {210, 1126, 0}, {-210, 874, 0},   {-874, -210, 0}, {-1126, 210, 0}};
    const auto knot = [&](int s, int k) { return shape.GetSpline(s)->GetKnotPoint(k); };
    for (int e = 0; e < 8; ++e)
        EXPECT_TRUE(Near(knot(e, 1), tips[e], 1e-3f) && std::fabs(Length(knot(e, 2) - knot(e, 0)) - 252.0f) < 1e-3f) << e;
    for (int link = 0; link < 8; ++link) {
        const Spline3D* right = shape.GetSpline(8 + 2 * link);
        const Spline3D* left = shape.GetSpline(9 + 2 * link);
        ASSERT_TRUE(right->KnotCount() == kConnectorWays + 1 && left->KnotCount() == kConnectorWays + 1);
        for (int k = 0; k < kConnectorWays; ++k) {
            const WayRecord& w = ways[static_cast<std::size_t>(link * kConnectorWays + k)];
            EXPECT_TRUE(w.corner[0] == right->GetKnotPoint(k) && w.corner[1] == right->GetKnotPoint(k + 1) &&
                        w.corner[2] == left->GetKnotPoint(k + 1) && w.corner[3] == left->GetKnotPoint(k)) << link << k;
            EXPECT_TRUE(w.maxSpeed == ways[0].maxSpeed && w.enable[0] && !w.enable[1] && !w.enable[2]);
        }
        // Halfway along, with tangents 0.4 of each edge's own chord: 830.09 from the centre on a
        // right turn's inner edge, 15.88 on a left turn's, 407.11 on every outer edge.
        const WayRecord& half = ways[static_cast<std::size_t>(link * kConnectorWays + 16)];
        const float inner = Length(half.corner[0]), off = std::min(std::fabs(inner - 830.0916f), std::fabs(inner - 15.8781f));
        EXPECT_TRUE(off < 1e-2f && std::fabs(Length(half.corner[3]) - 407.1068f) < 1e-2f) << link;
    }
}

}  // namespace
