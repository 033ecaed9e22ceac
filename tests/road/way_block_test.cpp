// The queries' eight-way XY pre-test must agree bit for bit with the x and y parts of the full
// containment test, non-finite probes included.
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "road/way_block.h"
#include "tests/road/road_test_support.h"

TEST(WayBlock, HitsAreExactlyTheXYContainmentTest) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    int hits = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<WayRecord> ways;
        WayBlock block;
        for (int k = 0; k < WayBlock::kWays; ++k) {
            const Point3 centre(1e5f * unit(rng), 1e5f * unit(rng), 100.0f * unit(rng));
            ways.push_back(RectWay(centre, 3.2f * unit(rng), 500.0f + 400.0f * unit(rng), 200.0f + 100.0f * unit(rng)));
            if (k % 3 == 1) ways.back().corner[2].z += 300.0f, ways.back().UpdateFrame();  // sloped
        }
        for (int k = 0; k < WayBlock::kWays; ++k) block.Set(k, &ways[static_cast<std::size_t>(k)]);

        const WayRecord& target = ways[rng() % ways.size()];
        Point3 p = target.corner[rng() % 4];  // exactly on the edge
        if (trial % 4 == 1) p = Point3(target.halfX * unit(rng) * 1.01f, target.halfY * unit(rng), 0.0f) * target.frame;
        if (trial % 4 == 2) p = target.frame.GetRow(3) + Point3(1000.0f * unit(rng), 1000.0f * unit(rng), 0.0f);
        if (trial % 16 == 3) p.z = trial % 32 == 3 ? nan : inf;
        if (trial % 16 == 7) p.x = nan;

        const unsigned mask = block.HitsXY(p);
        for (int k = 0; k < WayBlock::kWays; ++k) {
            const bool expected = InReach(ways[static_cast<std::size_t>(k)], p);
            const bool got = (mask >> k) & 1u;
            ASSERT_EQ(got, expected) << "trial " << trial << " way " << k;
            hits += got;
        }
    }
    EXPECT_GT(hits, 500);
}

TEST(WayBlock, EmptyAndInertSlotsNeverHit) {
    WayBlock block;
    const WayRecord dot = MakeWay({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    for (int k = 0; k < WayBlock::kWays; ++k) block.Set(k, k % 2 ? &dot : nullptr);
    for (const Point3& p : {Point3(0, 0, 0), Point3(1, 1, 1), Point3(-1e30f, 1e30f, 0)}) EXPECT_EQ(block.HitsXY(p), 0u);
    EXPECT_EQ(block.way[0], nullptr);
    EXPECT_EQ(block.way[1], &dot);
}
