// ZoneIndex corner cases: empty and single-zone builds, the depth limit, the slot window, centre
// lines, zones that cannot be indexed, inert zones, and Free and Build reuse.
#include "traffic/zone_index.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "host/testing.h"
#include "tests/traffic/zone_index_support.h"

namespace {
class ZoneIndexEdges : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(HostWaitForThreads()); }
};

TrafficZone Zone(Point3 at, float hx, float hy, std::uint32_t rule, float speed = 5.0f, int slot = 0) {
    TrafficZone z;
    z.Init(TransMatrix(at), 0, hx, hy, slot, rule, speed);
    return z;
}

VehicleProbe Probe(Point3 at, int slot) {
    VehicleProbe p;
    p.position = at;
    p.slot = slot;
    p.owner = 77;
    p.size = {1.0f, 2.0f, 1.5f};
    return p;
}

ZoneEffect Queried(const ZoneIndex& index, const VehicleProbe& probe) {
    ZoneEffect e = kQueryStart;
    index.Query(probe, e);
    return e;
}

// What a blocking zone makes of kQueryStart's score: the query's own -100 added to it.
constexpr double kBlocked = kQueryStart.score - 100.0;

ZoneScene OneBlock(const TrafficZone& zone) {
    ZoneScene scene;
    scene.blocks.emplace_back().fill(zone);
    return scene;
}
}  // namespace

TEST_F(ZoneIndexEdges, EmptyBuildGivesLeafRootsAndNoEffect) {
    ZoneIndex index;
    EXPECT_EQ(index.Build(nullptr, 0).helpersLeft, 0);
    for (int s = 0; s < ZoneIndex::kSlots; ++s) {
        ASSERT_EQ(index.Tree(s).nodes.size(), 1u);
        EXPECT_EQ(index.Tree(s).nodes[0].firstChild, 0u);
        EXPECT_EQ(index.Tree(s).nodes[0].entryCount, 0u);
    }
    ZoneEffect lowCap{1.0, 2.0, 3.0, 4.0, 2e7f};
    index.Query(Probe({0, 0, 0}, 3), lowCap);
    EXPECT_EQ(lowCap.speedCap, kNoSpeedCap);  // the fresh effect still merges its cap
    EXPECT_TRUE(EffectsEqual(Queried(index, Probe({0, 0, 0}, 3)), kQueryStart));
}

TEST_F(ZoneIndexEdges, SingleZoneSplitsTheRootIntoLeaves) {
    const ZoneScene scene = OneBlock(Zone({10, 20, 0}, 3.0f, 2.0f, RuleObstacle));
    ZoneIndex index;
    scene.BuildInto(index);
    const ZoneTree& tree = index.Tree(4);
    ASSERT_EQ(tree.nodes.size(), 5u);
    EXPECT_EQ(tree.nodes[0].entryCount, 0u);  // the zone is smaller than twice the root's width
    EXPECT_EQ(tree.squares[0].pmin, Point3(7, 17, 0));  // the bounds, squared about their centre
    EXPECT_EQ(tree.squares[0].pmax, Point3(13, 23, 0));
    for (std::uint32_t q = 1; q <= 4; ++q) {
        EXPECT_EQ(tree.nodes[q].firstChild, 0u);
        EXPECT_EQ(tree.nodes[q].entryCount, 1u);  // it overlaps every quadrant
    }
    EXPECT_EQ(Queried(index, Probe({12.9f, 21.9f, 0}, 4)).score, kBlocked);
    EXPECT_EQ(Queried(index, Probe({13.0f, 22.0f, 0}, 4)).score, kBlocked);  // Apply's boundary is inside
    EXPECT_EQ(Queried(index, Probe({13.1f, 20.0f, 0}, 4)).score, kQueryStart.score);
}

TEST_F(ZoneIndexEdges, DepthStopsAtSixteen) {
    ZoneScene scene;
    for (int i = 0; i < 60; ++i) scene.blocks.emplace_back().fill(Zone({1, 1, 0}, 1e-3f, 1e-3f, RuleObstacle));
    scene.blocks.emplace_back().fill(Zone({-1000, -1000, 0}, 1, 1, RuleObstacle));
    ZoneIndex index;
    scene.BuildInto(index);
    for (int s = 0; s < ZoneIndex::kSlots; ++s) EXPECT_EQ(TreeDepth(index.Tree(s)), 16);
    EXPECT_EQ(Queried(index, Probe({1, 1, 0}, 0)).score, kBlocked);
}

TEST_F(ZoneIndexEdges, ProbeSeesItsSlotAndTheTwoBefore) {
    ZoneBlock block;
    for (int s = 0; s < 8; ++s)
        block[static_cast<std::size_t>(s)] = Zone({0, 0, 0}, 50, 50, RuleSpeedLimit, 10.0f + static_cast<float>(s), s);
    ZoneScene scene;
    scene.blocks.assign(3, block);
    ZoneIndex index;
    scene.BuildInto(index);
    for (int slot = -3; slot <= 12; ++slot) {
        // The lowest cap seen is that of the earliest slot in view.
        const int earliest = std::max(0, std::clamp(slot, 0, 7) - 2);
        EXPECT_EQ(Queried(index, Probe({1, 2, 0}, slot)).speedCap, 10.0f + static_cast<float>(earliest)) << slot;
    }
}

TEST_F(ZoneIndexEdges, ProbeOnACentreLineStillMeetsStraddlingZones) {
    ZoneScene scene;
    scene.blocks.emplace_back().fill(Zone({-10, -10, 0}, 1, 1, RuleNone));
    scene.blocks.emplace_back().fill(Zone({10, 10, 0}, 1, 1, RuleNone));
    scene.blocks.emplace_back().fill(Zone({0, 5, 0}, 0.5f, 0.5f, RuleObstacle));  // across x = 0
    scene.blocks.emplace_back().fill(Zone({5, 0, 0}, 0.5f, 0.5f, RuleSpeedLimit, 3.0f));  // across y = 0
    ZoneIndex index;
    scene.BuildInto(index);
    ASSERT_EQ(index.Tree(0).nodes[0].centreX, 0.0f);
    ASSERT_EQ(index.Tree(0).nodes[0].centreY, 0.0f);
    EXPECT_EQ(Queried(index, Probe({0, 5, 0}, 0)).score, kBlocked);
    EXPECT_EQ(Queried(index, Probe({5, 0, 0}, 0)).speedCap, 3.0f);
    EXPECT_EQ(Queried(index, Probe({0.5f, 5.5f, 0}, 0)).score, kBlocked);
}

TEST_F(ZoneIndexEdges, ZonesThatCannotBeIndexedAreLeftOut) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    ZoneScene scene = RandomScene(41, 40, 200.0f);
    const std::size_t good = scene.blocks.size();
    // Corners beyond float range while the inverse stays finite: Apply alone would block everywhere.
    TrafficZone huge;
    huge.Init(ScaleMatrix({4, 4, 1}), 0, 3e38f, 3e38f, 0, RuleObstacle, 0.0f);
    ASSERT_FALSE(std::isfinite(huge.corners[0].x));
    ZoneEffect direct;
    huge.Apply(Probe({1, 1, 0}, 0), direct);
    ASSERT_EQ(direct.score, -100.0);
    TrafficZone noExtent = Zone({0, 0, 0}, nan, 5, RuleObstacle);
    TrafficZone singular;
    singular.Init(Matrix3({1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {}), 0, 5, 5, 0, RuleObstacle, 0.0f);
    for (const TrafficZone& bad : {huge, noExtent, singular}) scene.blocks.emplace_back().fill(bad);

    ZoneIndex index;
    scene.BuildInto(index);
    ZoneScene goodOnly = scene;
    goodOnly.blocks.resize(good);
    for (const VehicleProbe& probe : RandomProbes(goodOnly, 42, 400))
        EXPECT_TRUE(EffectsEqual(Queried(index, probe), BruteForce(goodOnly, probe, kQueryStart)));
    // The bad corners did not stretch the root square.
    ZoneIndex goodIndex;
    goodOnly.BuildInto(goodIndex);
    for (int s = 0; s < ZoneIndex::kSlots; ++s) {
        EXPECT_EQ(index.Tree(s).squares[0].pmin, goodIndex.Tree(s).squares[0].pmin);
        EXPECT_EQ(index.Tree(s).squares[0].pmax, goodIndex.Tree(s).squares[0].pmax);
    }
}

TEST_F(ZoneIndexEdges, InertZonesAreHarmless) {
    ZoneScene scene;
    scene.blocks.resize(30);  // default-constructed zones: identity frame, no rule
    ZoneIndex index;
    scene.BuildInto(index);
    for (const VehicleProbe& probe : RandomProbes(RandomScene(43, 5, 3.0f), 44, 200))
        EXPECT_TRUE(EffectsEqual(Queried(index, probe), kQueryStart));

    const ZoneScene live = RandomScene(45, 100, 50.0f);
    scene.blocks.insert(scene.blocks.begin() + 10, live.blocks.begin(), live.blocks.end());
    scene.BuildInto(index);
    for (const VehicleProbe& probe : RandomProbes(live, 46, 1000))
        EXPECT_TRUE(EffectsEqual(Queried(index, probe), BruteForce(scene, probe, kQueryStart)));
}

TEST_F(ZoneIndexEdges, FreeEmptiesAndBuildReuses) {
    const ZoneScene first = RandomScene(47, 200, 300.0f);
    const ZoneScene second = RandomScene(48, 150, 800.0f);
    ZoneIndex fresh;
    second.BuildInto(fresh);

    ZoneIndex index;
    index.Free();  // harmless before any build
    first.BuildInto(index);
    index.Free();
    index.Free();
    for (int s = 0; s < ZoneIndex::kSlots; ++s) EXPECT_TRUE(index.Tree(s).nodes.empty());
    for (const VehicleProbe& probe : RandomProbes(first, 49, 200))
        EXPECT_TRUE(EffectsEqual(Queried(index, probe), kQueryStart));

    second.BuildInto(index);
    EXPECT_TRUE(SameTrees(index, fresh));
    first.BuildInto(index);  // without Free: the old trees go first
    second.BuildInto(index);
    EXPECT_TRUE(SameTrees(index, fresh));
    for (const VehicleProbe& probe : RandomProbes(second, 50, 500))
        EXPECT_TRUE(EffectsEqual(Queried(index, probe), BruteForce(second, probe, kQueryStart)));
}
