// Start placement: a random way, longer ways more likely, then a random point on its centre
// line, facing the travel direction.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "common/random_access.h"
#include "tests/road/road_test_support.h"

namespace {
const Matrix3 kUntouched({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12});

// The way that the seeded generator picks, drawing as the placement does: one draw per way.
int ExpectedChoice(const std::vector<WayRecord>& ways, std::uint64_t seed) {
    SharedRandom().srand(seed);
    int best = -1;
    float bestValue = -1.0f;
    for (std::size_t i = 0; i < ways.size(); ++i) {
        const float v = ways[i].halfX / Rand01();
        if (!ways[i].IsInert() && std::isfinite(v) && v > bestValue) best = static_cast<int>(i), bestValue = v;
    }
    return best;
}

// Which way a placement landed on: the one whose frame its forward axis and position match.
int ChosenWay(const LaneNetwork& network, const Matrix3& m) {
    for (int i = 0; i < network.Count(); ++i) {
        const WayRecord& way = network.Ways()[i];
        if (!std::isfinite(way.halfX)) continue;
        const Point3 p = m.GetRow(3) * way.inverse;
        if (Near(m.GetRow(1), way.frame.GetRow(0), 1e-6f) && std::fabs(p.y) < 1e-3f && std::fabs(p.z) < 1e-3f &&
            std::fabs(p.x) <= way.halfX * 1.0001f)
            return i;
    }
    return -1;
}

int PlaceSeeded(const LaneNetwork& network, std::uint64_t seed) {
    SharedRandom().srand(seed);
    Matrix3 m = kUntouched;
    if (!network.PlaceOnRandomWay(m)) return -1;
    return ChosenWay(network, m);
}
}  // namespace

TEST(LanePlacement, EmptyOrAllInertNetworkLeavesOutUnchanged) {
    Matrix3 m = kUntouched;
    EXPECT_FALSE(MakeNetwork({})->PlaceOnRandomWay(m));
    EXPECT_TRUE(SameMatrix(m, kUntouched));
    const WayRecord dot = MakeWay({1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 0});
    EXPECT_FALSE(MakeNetwork({dot, dot, WayRecord()})->PlaceOnRandomWay(m));
    EXPECT_TRUE(SameMatrix(m, kUntouched));
}

TEST(LanePlacement, PoseFacesTheTravelDirectionOnTheCentreLine) {
    const std::vector<WayRecord> ways = {RectWay({100, 200, 30}, 0.7f, 500, 150),
                                         MakeWay({0, 0, 0}, {1000, 0, 100}, {1000, 400, 100}, {0, 400, 0})};
    const auto network = MakeNetwork(ways);
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        SharedRandom().srand(seed);
        Matrix3 m = kUntouched;
        ASSERT_TRUE(network->PlaceOnRandomWay(m));
        const int i = ExpectedChoice(ways, seed);
        const WayRecord& way = network->Ways()[i];
        EXPECT_TRUE(Near(m.GetRow(0), -way.frame.GetRow(1), 1e-6f)) << seed;
        EXPECT_TRUE(Near(m.GetRow(1), way.frame.GetRow(0), 1e-6f)) << seed;
        EXPECT_TRUE(Near(m.GetRow(2), way.frame.GetRow(2), 1e-6f)) << seed;
        EXPECT_GT(m.GetRow(2).z, 0.0f);
        EXPECT_EQ(m.GetFlags() & 1u, 0u);

        // The point is the draw after the choice, taken along X from the way's centre.
        SharedRandom().srand(seed);
        for (std::size_t k = 0; k < ways.size(); ++k) Rand01();
        const float along = way.halfX * Rand11();
        EXPECT_TRUE(Near(m.GetRow(3), way.frame.GetRow(3) + way.frame.GetRow(0) * along, 1e-3f)) << seed;
        const Point3 local = m.GetRow(3) * way.inverse;
        EXPECT_LE(std::fabs(local.x), way.halfX);
        EXPECT_NEAR(local.y, 0.0f, 1e-3f);
        EXPECT_NEAR(local.z, 0.0f, 1e-3f);
    }
}

TEST(LanePlacement, ChoiceFollowsTheDraws) {
    std::vector<WayRecord> ways;
    for (int i = 0; i < 12; ++i) ways.push_back(RectWay({1000.0f * i, 0, 0}, 0, 50.0f + 40.0f * i, 100));
    const auto network = MakeNetwork(ways);
    int changes = 0, last = -2;
    for (std::uint64_t seed = 100; seed < 160; ++seed) {
        const int chosen = PlaceSeeded(*network, seed);
        EXPECT_EQ(chosen, ExpectedChoice(ways, seed)) << seed;
        changes += chosen != last;
        last = chosen;
    }
    EXPECT_GT(changes, 10);
}

TEST(LanePlacement, TiesGoToTheEarlierWayAndZeroLengthOnlyWhenNothingScoresMore) {
    WayRecord zero = RectWay({0, 0, 0}, 0, 100, 100);
    zero.halfX = 0.0f;
    WayRecord otherZero = RectWay({1000, 0, 0}, 0, 100, 100);
    otherZero.halfX = 0.0f;
    const WayRecord dot = MakeWay({1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 0});
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        EXPECT_EQ(PlaceSeeded(*MakeNetwork({zero, otherZero}), seed), 0) << seed;
        EXPECT_EQ(PlaceSeeded(*MakeNetwork({dot, otherZero, zero}), seed), 1) << seed;
        EXPECT_EQ(PlaceSeeded(*MakeNetwork({zero, RectWay({1000, 0, 0}, 0, 1, 100)}), seed), 1) << seed;
    }
}

TEST(LanePlacement, DegenerateAndNonFiniteWaysAreNeverChosen) {
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<WayRecord> ways;
    for (int i = 0; i < 30; ++i) ways.push_back(MakeWay({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}));
    WayRecord endless = RectWay({0, 0, 0}, 0, 100, 100);
    endless.halfX = inf;
    ways.push_back(endless);
    WayRecord unknown = RectWay({0, 0, 0}, 0, 100, 100);
    unknown.halfX = NAN;
    ways.push_back(unknown);
    ways.push_back(RectWay({5000, 0, 0}, 0, 0.001f, 100));
    const auto network = MakeNetwork(ways);
    for (std::uint64_t seed = 1; seed <= 50; ++seed) EXPECT_EQ(PlaceSeeded(*network, seed), 32) << seed;

    ways.pop_back();
    Matrix3 m = kUntouched;
    EXPECT_FALSE(MakeNetwork(ways)->PlaceOnRandomWay(m));
    EXPECT_TRUE(SameMatrix(m, kUntouched));
}
