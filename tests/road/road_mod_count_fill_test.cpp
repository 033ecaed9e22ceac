#include <memory>
#include <random>

#include "road_scene_support.h"
#include "road_ways_support.h"

namespace {

using RoadModCountFill = RoadSceneTest;

struct RandomRoad {
    INode* node = nullptr;
    RoadMod* mod = nullptr;
    int segments = 0;  // counted from the knots, independently of the polylines
    int lanes = 0;
};

// Several splines of 0 to 5 knots, some closed, cut at 0 to 2 steps, under random parameters.
RandomRoad MakeRandomRoad(std::mt19937& rng) {
    std::uniform_real_distribution<float> coord(-5000.0f, 5000.0f);
    std::uniform_int_distribution<int> small(0, 5);
    auto* shape = new SplineShape;
    shape->shape.steps = small(rng) % 3;
    RandomRoad road;
    const int splines = 1 + small(rng) % 4;
    for (int s = 0; s < splines; ++s) {
        const int n = small(rng);
        const bool closed = small(rng) < 2;
        std::vector<Point3> knots;
        for (int i = 0; i < n; ++i) knots.push_back({coord(rng), coord(rng), 0});
        AddSpline(shape, knots, closed);
        if (n < 2) continue;
        const int pieces = shape->shape.steps + 1;
        road.segments += closed ? n * pieces : (n - 1) * pieces;
    }
    road.node = AddRoad(shape, &road.mod);
    road.node->SetNodeTM(0, RotateZMatrix(coord(rng) * 1e-3f) * TransMatrix({coord(rng), coord(rng), 0}));
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

TEST_F(RoadModCountFill, CountsEqualWhatTheFillsWrite) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 150; ++trial) {
        GetCOREInterface()->ResetScene();
        const RandomRoad road = MakeRandomRoad(rng);
        int segmentCount = 0, wayCount = 0;
        road.mod->CountSegments(road.node, segmentCount);
        road.mod->CountWays(road.node, wayCount);
        EXPECT_EQ(segmentCount, road.segments) << trial;
        EXPECT_EQ(wayCount, road.segments * road.lanes) << trial;
        // Exactly sized arrays, so the sanitizer sees any write past them.
        std::unique_ptr<RoadSegment[]> segments(new RoadSegment[static_cast<std::size_t>(segmentCount)]);
        std::unique_ptr<WayRecord[]> ways(new WayRecord[static_cast<std::size_t>(wayCount)]);
        int segmentIndex = 0, wayIndex = 0;
        road.mod->FillSegments(road.node, segments.get(), segmentIndex, segmentCount);
        road.mod->FillWays(road.node, ways.get(), wayIndex, wayCount);
        EXPECT_EQ(segmentIndex, segmentCount) << trial;
        EXPECT_EQ(wayIndex, wayCount) << trial;
    }
}

TEST_F(RoadModCountFill, FillsStopAtTheCapacity) {
    std::mt19937 rng(9);
    constexpr float kUntouched = -12345.0f;
    for (int trial = 0; trial < 60; ++trial) {
        GetCOREInterface()->ResetScene();
        const RandomRoad road = MakeRandomRoad(rng);
        const int total = road.segments * road.lanes;
        const int capacity = total / 2;
        const int start = total > 0 ? 1 : 0;
        std::vector<WayRecord> ways(static_cast<std::size_t>(total) + 3);
        for (WayRecord& way : ways) way.maxSpeed = kUntouched;
        int index = start;
        road.mod->FillWays(road.node, ways.data(), index, capacity);
        EXPECT_EQ(index, std::max(start, capacity)) << trial;
        for (std::size_t i = 0; i < ways.size(); ++i) {
            const bool written = static_cast<int>(i) >= start && static_cast<int>(i) < capacity;
            EXPECT_EQ(ways[i].maxSpeed != kUntouched, written) << trial << " " << i;
        }

        std::vector<RoadSegment> segments(static_cast<std::size_t>(road.segments) + 2);
        for (RoadSegment& s : segments) s.stripWidth = kUntouched;
        int segmentIndex = 0;
        road.mod->FillSegments(road.node, segments.data(), segmentIndex, road.segments / 2);
        EXPECT_EQ(segmentIndex, road.segments / 2) << trial;
        for (std::size_t i = 0; i < segments.size(); ++i)
            EXPECT_EQ(segments[i].stripWidth != kUntouched, static_cast<int>(i) < road.segments / 2) << trial;
    }
}

TEST_F(RoadModCountFill, IndexAtOrPastCapacityWritesNothing) {
    RoadMod* mod = nullptr;
    INode* node = AddRoad(StraightShape(), &mod);
    WayRecord ways[2];
    int index = 2;
    mod->FillWays(node, ways, index, 2);
    EXPECT_EQ(index, 2);
    index = 5;
    mod->FillWays(node, ways, index, 2);
    EXPECT_EQ(index, 5);
    EXPECT_TRUE(ways[0].IsInert());
}

}  // namespace
