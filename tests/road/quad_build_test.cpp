// The shape of the quadtree: when nodes split, which ways stay, which go down, and where.
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "common/box_helpers.h"
#include "road/quad_tree.h"
#include "road/way_overlap.h"
#include "tests/road/road_test_support.h"

namespace {
using WayList = std::unique_ptr<const WayRecord*[]>;

const Box3 kCell({0.0f, 0.0f, 0.0f}, {1024.0f, 1024.0f, 0.0f});

WayList ListOf(const std::vector<WayRecord>& ways) {
    WayList list(new const WayRecord*[ways.size()]);
    for (std::size_t i = 0; i < ways.size(); ++i) list[i] = &ways[i];
    return list;
}

// n small ways scattered over the cell.
std::vector<WayRecord> Scattered(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> at(20.0f, 1000.0f);
    std::vector<WayRecord> ways;
    for (int i = 0; i < n; ++i) ways.push_back(RectWay({at(rng), at(rng), 0.0f}, 0.3f * i, 8.0f, 3.0f));
    return ways;
}

QuadNode Built(const std::vector<WayRecord>& ways, int depth) {
    QuadNode node;
    node.Build(kCell, ListOf(ways), static_cast<std::int32_t>(ways.size()), depth);
    return node;
}

bool IsLeaf(const QuadNode& node) {
    return !node.child[0] && !node.child[1] && !node.child[2] && !node.child[3];
}

bool IsSplit(const QuadNode& node) { return node.child[0] && node.child[1] && node.child[2] && node.child[3]; }

void ForEachNode(const QuadNode& node, int depth, const std::function<void(const QuadNode&, int)>& f) {
    f(node, depth);
    for (const auto& c : node.child)
        if (c) ForEachNode(*c, depth + 1, f);
}
}  // namespace

TEST(QuadBuild, RootSplitsWheneverItHasAWay) {
    const std::vector<WayRecord> one = {BoxWay(10, 10, 20, 20)};
    const QuadNode root = Built(one, 0);
    EXPECT_TRUE(IsSplit(root));
    EXPECT_EQ(root.count, 0);
    EXPECT_EQ(root.child[0]->count, 1);
    EXPECT_TRUE(IsLeaf(*root.child[0]));

    const QuadNode empty = Built({}, 0);
    EXPECT_TRUE(IsLeaf(empty));
    EXPECT_EQ(empty.count, 0);
}

TEST(QuadBuild, SplitThresholdGrowsWithDepth) {
    const std::vector<WayRecord> five = Scattered(5, 1), six = Scattered(6, 1);
    EXPECT_TRUE(IsLeaf(Built(five, 1)));
    EXPECT_TRUE(IsSplit(Built(six, 1)));
    EXPECT_TRUE(IsLeaf(Built(Scattered(75, 2), 15)));
    EXPECT_TRUE(IsSplit(Built(Scattered(76, 2), 15)));
    EXPECT_TRUE(IsLeaf(Built(Scattered(1000, 3), 16)));
    // A leaf keeps the list as given.
    const QuadNode leaf = Built(five, 1);
    ASSERT_EQ(leaf.count, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(leaf.items[i], &five[i]);
}

TEST(QuadBuild, DeepPilesStopAtDepthSixteen) {
    // Identical tiny ways never thin out, so only the depth limit ends the split.
    std::vector<WayRecord> pile(200, RectWay({300.0f, 300.0f, 0.0f}, 0.0f, 0.01f, 0.01f));
    const QuadNode root = Built(pile, 0);
    int deepest = 0, leavesWithPile = 0;
    ForEachNode(root, 0, [&](const QuadNode& node, int depth) {
        deepest = std::max(deepest, depth);
        if (node.count == 200) {
            ++leavesWithPile;
            EXPECT_EQ(depth, QuadNode::kMaxDepth);
            EXPECT_TRUE(IsLeaf(node));
        }
    });
    EXPECT_EQ(deepest, QuadNode::kMaxDepth);
    EXPECT_GE(leavesWithPile, 1);
}

TEST(QuadBuild, ChildCellsFollowTheIndexBits) {
    const QuadNode root = Built(Scattered(10, 2), 0);
    const Box3 expected[4] = {Box3({0, 0, 0}, {512, 512, 0}), Box3({512, 0, 0}, {1024, 512, 0}),
                              Box3({0, 512, 0}, {512, 1024, 0}), Box3({512, 512, 0}, {1024, 1024, 0})};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(root.child[k]->bounds.pmin, expected[k].pmin) << k;
        EXPECT_EQ(root.child[k]->bounds.pmax, expected[k].pmax) << k;
        EXPECT_EQ(root.child[k]->centre, Box3Center(expected[k])) << k;
    }
    EXPECT_EQ(root.ChildIndex({512, 512, 0}), 0);
    EXPECT_EQ(root.ChildIndex({512.01f, 512, 0}), 1);
    EXPECT_EQ(root.ChildIndex({0, 600, 0}), 2);
    EXPECT_EQ(root.ChildIndex({2000, 2000, 0}), 3);
}

TEST(QuadBuild, WaysTwiceTheCellWidthAcrossStay) {
    // At depth 2 the cell is 1024 wide: ways with minHalf >= 2048 stay, narrower ones go down.
    std::vector<WayRecord> ways = Scattered(20, 4);
    ways.push_back(RectWay({512, 512, 0}, 0.0f, 3000.0f, 2048.0f));
    ways.push_back(RectWay({512, 512, 0}, 0.2f, 3000.0f, 2047.0f));
    ways.push_back(RectWay({512, 512, 0}, 0.0f, 2048.0f, 2100.0f));
    const QuadNode node = Built(ways, 2);
    ASSERT_EQ(node.count, 2);
    EXPECT_EQ(node.items[0], &ways[20]);
    EXPECT_EQ(node.items[1], &ways[22]);
    for (const auto& c : node.child) {
        ASSERT_TRUE(IsLeaf(*c));
        ASSERT_GT(c->count, 0);
        EXPECT_EQ(c->items[c->count - 1], &ways[21]);
        for (int i = 0; i < c->count; ++i) EXPECT_NE(c->items[i], &ways[20]);
    }
}

TEST(QuadBuild, ChildrenGetOverlappingWaysInListOrder) {
    const std::vector<WayRecord> ways = Scattered(300, 5);
    const QuadNode root = Built(ways, 0);
    for (int k = 0; k < 4; ++k) {
        const QuadNode& c = *root.child[k];
        std::vector<const WayRecord*> expected;
        for (const WayRecord& w : ways)
            if (WayOverlapsBox(w, c.bounds)) expected.push_back(&w);
        // Its own items plus everything below it came from exactly that list.
        std::set<const WayRecord*> below;
        ForEachNode(c, 1, [&](const QuadNode& n, int) { below.insert(n.items.get(), n.items.get() + n.count); });
        EXPECT_EQ(below, std::set<const WayRecord*>(expected.begin(), expected.end())) << k;
        if (IsLeaf(c)) {
            ASSERT_EQ(c.count, static_cast<int>(expected.size()));
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), c.items.get()));
        }
    }
}

TEST(QuadBuild, InertWaysSitNowhere) {
    std::vector<WayRecord> ways = Scattered(100, 6);
    for (int i = 0; i < 20; ++i) ways.push_back(MakeWay({500, 500, 0}, {500, 500, 0}, {500, 500, 0}, {500, 500, 0}));
    ways.push_back(MakeWay({0, 0, 0}, {NAN, 0, 0}, {10, 4, 0}, {0, 4, 0}));
    const QuadNode root = Built(ways, 0);
    ForEachNode(root, 0, [&](const QuadNode& n, int) {
        for (int i = 0; i < n.count; ++i) EXPECT_FALSE(n.items[i]->IsInert());
    });
}

TEST(QuadBuild, BadArgumentsGiveAnEmptyLeaf) {
    const std::vector<WayRecord> ways = Scattered(10, 10);
    QuadNode node;
    node.Build(kCell, nullptr, 10, 0);
    EXPECT_TRUE(IsLeaf(node));
    EXPECT_EQ(node.count, 0);
    node.Build(kCell, ListOf(ways), -3, 0);
    EXPECT_TRUE(IsLeaf(node));
    EXPECT_EQ(node.count, 0);
    // A negative depth counts as the root.
    node.Build(kCell, ListOf(ways), 10, -40);
    EXPECT_TRUE(IsSplit(node));
}
