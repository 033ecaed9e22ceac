#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/road/road_test_support.h"

TEST(LaneNetwork, EmptyNetworkFindsNothing) {
    const auto network = MakeNetwork({});
    EXPECT_EQ(network->Count(), 0);
    ASSERT_NE(network->Root(), nullptr);
    EXPECT_EQ(network->Root()->count, 0);
    EXPECT_FALSE(network->Root()->child[0]);

    ZoneEffect e{};
    network->EvaluateWays(ProbeAt({0, 0, 0}), e);
    EXPECT_TRUE(SameEffect(e, {-100.0, -100.0, 0.0, 0.0, kNoSpeedCap}));
    e = {1.0, 1.0, 1.0, 1.0, 20.0f};
    network->EvaluateWays(ProbeAt({0, 0, 0}), e);
    EXPECT_TRUE(SameEffect(e, {-99.0, -99.0, 1.0, 1.0, 20.0f}));
}

TEST(LaneNetwork, RootCellIsASquareAroundAllCornersAtZeroHeight) {
    const auto network = MakeNetwork({BoxWay(-100, 20, 300, 60, 500.0f), BoxWay(0, 0, 50, 100, 700.0f)});
    const Box3 cell = network->Root()->bounds;
    EXPECT_EQ(cell.pmin, Point3(-100, -150, 0));
    EXPECT_EQ(cell.pmax, Point3(300, 250, 0));
}

TEST(LaneNetwork, WaysAlongXOnlyStillGiveASquareRootCell) {
    // Every corner at one y: the box has no height in y, the cell's side is the X extent.
    std::vector<WayRecord> ways;
    for (int i = 0; i < 10; ++i) {
        WayRecord way = BoxWay(100.0f * i, 0.0f, 100.0f * i + 80.0f, 10.0f);
        way.corner[2].y = way.corner[3].y = 0.0f;
        ways.push_back(way);
    }
    const auto network = MakeNetwork(ways);
    const Box3 cell = network->Root()->bounds;
    EXPECT_EQ(cell.pmin, Point3(0, -490, 0));
    EXPECT_EQ(cell.pmax, Point3(980, 490, 0));
}

TEST(LaneNetwork, InertWaysKeepTheirPlaceButCannotPoisonTheRootCell) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<WayRecord> ways = {MakeWay({0, 0, 0}, {inf, 0, 0}, {1, 1, 0}, {0, 1, 0}),
                                         BoxWay(0, 0, 100, 100),
                                         MakeWay({0, 0, NAN}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0})};
    const auto network = MakeNetwork(ways);
    EXPECT_EQ(network->Count(), 3);
    EXPECT_TRUE(network->Ways()[0].IsInert());
    EXPECT_TRUE(network->Ways()[2].IsInert());
    EXPECT_EQ(network->Root()->bounds.pmin, Point3(0, 0, 0));
    EXPECT_EQ(network->Root()->bounds.pmax, Point3(100, 100, 0));
    ZoneEffect e{};
    network->EvaluateWays(ProbeAt({0.5f, 0.5f, 0}), e);
    EXPECT_EQ(e.found, 1.0);
}

TEST(LaneNetwork, AdoptReplacesAndFreeEmpties) {
    auto network = MakeNetwork({BoxWay(0, 0, 100, 100)});
    std::unique_ptr<WayRecord[]> records(new WayRecord[2]);
    records[0] = BoxWay(1000, 0, 1100, 100);
    records[1] = BoxWay(2000, 0, 2100, 100);
    network->Adopt(std::move(records), 2);
    EXPECT_EQ(network->Count(), 2);
    ZoneEffect e{};
    network->EvaluateWays(ProbeAt({50, 50, 0}), e);
    EXPECT_EQ(e.found, -100.0);
    e = {};
    network->EvaluateWays(ProbeAt({2050, 50, 0}), e);
    EXPECT_EQ(e.found, 1.0);

    network->Free();
    EXPECT_EQ(network->Count(), 0);
    EXPECT_EQ(network->Root(), nullptr);
    e = {};
    network->EvaluateWays(ProbeAt({2050, 50, 0}), e);
    EXPECT_EQ(e.found, -100.0);
    Matrix3 m = TransMatrix({2050, 50, 30});
    network->SnapToWay(m, 150.0f);
    EXPECT_EQ(m.GetRow(3).z, 30.0f);
    EXPECT_FALSE(network->PlaceOnRandomWay(m));
}

TEST(LaneNetwork, NullArrayOrNegativeCountIsEmpty) {
    LaneNetwork none(nullptr, 5);
    EXPECT_EQ(none.Count(), 0);
    std::unique_ptr<WayRecord[]> records(new WayRecord[1]);
    records[0] = BoxWay(0, 0, 100, 100);
    LaneNetwork negative(std::move(records), -1);
    EXPECT_EQ(negative.Count(), 0);
    ZoneEffect e{};
    negative.EvaluateWays(ProbeAt({50, 50, 0}), e);
    EXPECT_EQ(e.found, -100.0);
}
