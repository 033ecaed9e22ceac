// The lane network: its quadtree, its queries against brute force, and start placement.
#include <iterator>
#include <random>

#include "common/random_access.h"
#include "road/way_overlap.h"
#include "tests/road/road_support.h"

namespace {
constexpr float kPi = 3.14159265f;

constexpr int kDeckPairs = 40;

// Anchors centring a tall root on the origin, then flat decks each under a steep deck 50 to 250
// above it, straddling cell edges of depths 1 and 2.
void AddStackedDecks(std::mt19937& rng, std::vector<WayRecord>& ways) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    ways.push_back(RectWay({50000.0f, 90000.0f, 0.0f}, 0.0f, 1.0f, 1.0f));
    ways.push_back(RectWay({-50000.0f, -90000.0f, 0.0f}, 0.0f, 1.0f, 1.0f));
    const float lines[] = {-45000.0f, 0.0f, 45000.0f};
    for (int d = 0; d < kDeckPairs; ++d) {
        const Point3 centre(lines[rng() % 3] + 60.0f * (unit(rng) - 0.5f), lines[rng() % 3] + 60.0f * (unit(rng) - 0.5f),
                            0.0f);
        ways.push_back(RectWay(centre, 2.0f * kPi * unit(rng), 400.0f, 300.0f));
        WayRecord steep = RectWay(centre, 2.0f * kPi * unit(rng), 300.0f, 200.0f);
        const float lift = 50.0f + 200.0f * unit(rng), slope = 2.0f + 6.0f * unit(rng);
        for (Point3& c : steep.corner) c.z = lift + slope * (c - centre).x;
        steep.UpdateFrame();
        ways.push_back(steep);
    }
}

// Turned, tapered and sloped lanes, plazas, bridges, degenerate ways, bays, then stacked decks.
std::vector<WayRecord> RandomCity(std::mt19937& rng, int n) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<WayRecord> ways;
    for (int i = 0; i < n; ++i) {
        const float kind = unit(rng);
        const Point3 centre(40000.0f * unit(rng) - 20000.0f, 120000.0f * unit(rng) - 60000.0f,
                            unit(rng) < 0.1f ? 300.0f : 0.0f);
        const float angle = unit(rng) < 0.3f ? kPi * 0.5f * static_cast<float>(i % 4) : 2.0f * kPi * unit(rng);
        WayRecord way = MakeWay(centre, centre, centre + Point3(0, 100, 0), centre + Point3(0, 100, 0));
        if (kind < 0.05f) {
            way = RectWay(centre, angle, 3000.0f + 12000.0f * unit(rng), 3000.0f + 12000.0f * unit(rng));
        } else if (kind < 0.97f) {
            const float hx = 100.0f + 2500.0f * unit(rng), hy = 150.0f + 250.0f * unit(rng);
            way = RectWay(centre, angle, hx, hy);
            if (kind > 0.8f) {  // taper, shear and slope
                for (Point3& c : way.corner)
                    c += Point3(hx * (unit(rng) - 0.5f), hy * (unit(rng) - 0.5f), 200.0f * unit(rng));
                way.UpdateFrame();
            }
        }
        way.maxSpeed = 500.0f + 2000.0f * unit(rng);
        for (auto& e : way.enable) e = unit(rng) < 0.8f;
        way.isBusStop = unit(rng) < 0.15f;
        way.isParking = !way.isBusStop && unit(rng) < 0.15f;
        ways.push_back(way);
    }
    AddStackedDecks(rng, ways);
    return ways;
}

// Inside a random way (often a deck), on a corner or anywhere; some on centre lines or not finite.
VehicleProbe RandomProbe(const LaneNetwork& network, std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const unsigned pick = unit(rng) < 0.4f ? network.Count() - 2 * kDeckPairs + rng() % (2 * kDeckPairs) : rng();
    const WayRecord& way = network.Ways()[pick % static_cast<unsigned>(network.Count())];
    const float where = unit(rng);
    Point3 p(48000.0f * unit(rng) - 24000.0f, 144000.0f * unit(rng) - 72000.0f, 400.0f * unit(rng));
    if (where < 0.6f && !way.IsInert())
        p = Point3((2.0f * unit(rng) - 1.0f) * way.halfX, (2.0f * unit(rng) - 1.0f) * way.halfY,
                   300.0f * (unit(rng) - 0.5f)) * way.frame;
    else if (where < 0.75f)
        p = way.corner[rng() % 4];
    const QuadTree& tree = network.Tree();
    if (unit(rng) < 0.1f) p.x = tree.Root()->centre.x;
    if (unit(rng) < 0.1f) p.y = tree.Child(*tree.Root(), 3).centre.y;
    if (unit(rng) < 0.02f) (unit(rng) < 0.5f ? p.x : p.z) = unit(rng) < 0.5f ? NAN : INFINITY;

    VehicleProbe probe = ProbeAt(p);
    const float a = 2.0f * kPi * unit(rng);
    probe.heading = unit(rng) < 0.3f ? way.frame.GetRow(0) : Point3(std::cos(a), std::sin(a), 0.0f);
    probe.bodyTM.SetRow(0, {std::sin(a), -std::cos(a), 0.0f});
    probe.size.z = unit(rng) < 0.2f ? 1e9f : 150.0f;
    probe.type = static_cast<std::int32_t>(rng() % 5) - 1;
    probe.slot = static_cast<std::int32_t>(rng() % 8);
    probe.inner = unit(rng) < 0.6f;
    probe.busMayStop = unit(rng) < 0.5f;
    probe.carMayPark = unit(rng) < 0.5f;
    probe.wander = unit(rng);
    return probe;
}

// The descent at its plainest: the point's child first, then the node's items.
void ReferencePath(const QuadTree& tree, const QuadNode& node, const Point3& p, std::vector<const WayRecord*>& out) {
    if (!node.IsLeaf()) ReferencePath(tree, tree.Child(node, (p.x > node.centre.x) + 2 * (p.y > node.centre.y)), p, out);
    for (std::int32_t i = 0; i < node.count; ++i) out.push_back(&tree.Item(node, i));
}

// The split rule: a node splits while it holds over 5 ways per depth level, up to depth 16,
// keeping ways at least twice its width across.
struct RuleNode {
    Box3 cell;
    std::vector<const WayRecord*> items;
    std::vector<RuleNode> child;
};

RuleNode RuleTree(const Box3& cell, const std::vector<const WayRecord*>& list, int depth) {
    if (static_cast<int>(list.size()) <= 5 * depth || depth >= 16) return {cell, list, {}};
    const Point3 h = (cell.pmax - cell.pmin) * 0.5f;
    const auto stays = [&](const WayRecord* w) { return !w->IsInert() && w->minHalf >= 4.0f * h.x; };
    RuleNode node{cell, {}, {}};
    std::copy_if(list.begin(), list.end(), std::back_inserter(node.items), stays);
    for (int k = 0; k < 4; ++k) {
        const Point3 from = cell.pmin + Point3(h.x * static_cast<float>(k & 1), h.y * static_cast<float>(k >> 1), 0.0f);
        const Box3 sub(from, from + Point3(h.x, h.y, 0.0f));
        std::vector<const WayRecord*> in;
        for (const WayRecord* w : list)
            if (!stays(w) && WayOverlapsBox(WayReach(*w), sub)) in.push_back(w);
        node.child.push_back(RuleTree(sub, in, depth + 1));
    }
    return node;
}

void ExpectSameCells(const QuadTree& tree, const QuadNode& node, const RuleNode& rule, int& cells) {
    ++cells;
    const Box3& cell = tree.Cell(node);
    ASSERT_TRUE(cell.pmin == rule.cell.pmin && cell.pmax == rule.cell.pmax);
    ASSERT_EQ(node.IsLeaf(), rule.child.empty());
    std::vector<const WayRecord*> items;
    for (std::int32_t i = 0; i < node.count; ++i) items.push_back(&tree.Item(node, i));
    ASSERT_EQ(items, rule.items);
    for (int k = 0; k < 4 && !node.IsLeaf(); ++k) ExpectSameCells(tree, tree.Child(node, k), rule.child[k], cells);
}

// A straight piece of a 30-lane road drawn 20 times over itself, shifted a little each time.
std::vector<WayRecord> StackedRoad() {
    std::vector<WayRecord> ways;
    for (int i = 0; i < 600; ++i) ways.push_back(BoxWay(i / 30 % 3 * 7.0f, i % 30 * 350.0f, 1e4f, i % 30 * 350.0f + 350.0f));
    return ways;
}
}  // namespace

TEST(LaneTree, HoldsTheSplitRulesListsInEveryCell) {
    std::mt19937 rng(5);
    for (const auto& ways : {RandomCity(rng, 3000), StackedRoad()}) {
        const auto network = MakeNetwork(ways);
        std::vector<const WayRecord*> all;
        for (int i = 0; i < network->Count(); ++i) all.push_back(&network->Ways()[i]);
        const QuadTree& tree = network->Tree();
        int cells = 0;
        ExpectSameCells(tree, *tree.Root(), RuleTree(tree.Cell(*tree.Root()), all, 0), cells);
        EXPECT_EQ(cells, static_cast<int>(tree.NodeCount()));
    }
}

TEST(LaneQuery, EvaluateAndSnapMatchBruteForceInDescentOrder) {
    // Every holding way is met, deepest cell first, in list order; a snap moves the later tests.
    std::mt19937 rng(11);
    const auto network = MakeNetwork(RandomCity(rng, 4000));
    int met = 0, orderMatters = 0, moved = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        const VehicleProbe probe = RandomProbe(*network, rng);
        std::vector<const WayRecord*> path, inTree, brute;
        ReferencePath(network->Tree(), *network->Tree().Root(), probe.position, path);
        const auto contains = [&](const WayRecord& w) {
            const Point3 q = probe.position * w.inverse;
            return std::fabs(q.x) <= w.halfX && std::fabs(q.y) <= w.halfY && std::fabs(q.z) <= probe.size.z;
        };
        for (const WayRecord* w : path)
            if (contains(*w)) inTree.push_back(w);
        for (int i = 0; i < network->Count(); ++i)
            if (contains(network->Ways()[i])) brute.push_back(&network->Ways()[i]);
        std::vector<const WayRecord*> sorted = inTree;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, brute) << "trial " << trial;
        met += static_cast<int>(brute.size());

        ZoneEffect expected = kLaneStart, reversed = kLaneStart, viaTree = kLaneStart;
        for (const WayRecord* w : inTree) w->Evaluate(probe, expected);
        for (auto w = inTree.rbegin(); w != inTree.rend(); ++w) (*w)->Evaluate(probe, reversed);
        orderMatters += expected.stopTerm != reversed.stopTerm;
        network->Tree().EvaluateWays(probe, viaTree);
        ASSERT_TRUE(SameEffect(viaTree, expected)) << "trial " << trial;
        expected.score += expected.stopTerm;
        ZoneEffect want{1.0, 2.0, 3.0, 4.0, 900.0f}, got = want;
        want.Accumulate(expected);
        network->EvaluateWays(probe, got);
        ASSERT_TRUE(SameEffect(got, want)) << "trial " << trial;

        Matrix3 start = probe.bodyTM;
        start.SetRow(1, probe.heading);
        start.SetRow(3, probe.position);
        start.SetFlags(MAT_IDENT);
        const float tolerance = trial % 2 ? 150.0f : 1000.0f;
        Matrix3 snapped = start, viaTreeSnap = start, got2 = start;
        float h = tolerance, treeH = tolerance;
        for (const WayRecord* w : path) w->Snap(snapped, h);
        network->Tree().SnapToWay(viaTreeSnap, treeH);
        ASSERT_TRUE(SameMatrix(viaTreeSnap, snapped) && treeH == h) << "trial " << trial;
        network->SnapToWay(got2, tolerance);
        ASSERT_TRUE(SameMatrix(got2, snapped)) << "trial " << trial;
        moved += got2 != start;
    }
    EXPECT_TRUE(met > 6000 && orderMatters > 50 && moved > 1000) << met << " " << orderMatters << " " << moved;

    // Just above the steep decks' edges, where rounding decides whether the point is held.
    int mismatches = 0;
    for (int i = network->Count() - 2 * kDeckPairs + 1; i < network->Count(); i += 2) {
        const Point3* c = network->Ways()[i].corner;
        for (int n = 0; n < 4 * 401; ++n) {
            const int k = n / 401, u = n % 401;
            const Matrix3 start = TransMatrix(c[k] + (c[(k + 1) % 4] - c[k]) * (u / 400.0f) + Point3(0, 0, 40));
            std::vector<const WayRecord*> path;
            ReferencePath(network->Tree(), *network->Tree().Root(), start.GetRow(3), path);
            Matrix3 snapped = start, got = start;
            float h = 1000.0f;
            for (const WayRecord* w : path) w->Snap(snapped, h);
            network->SnapToWay(got, 1000.0f);
            mismatches += !SameMatrix(got, snapped);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(LaneTree, RefusesPilesBeyondItsSizeLimit) {
    // Lanes crossing one spot at every angle lie in hundreds of cells each.
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<WayRecord> pile;
    for (int i = 0; i < 1500; ++i) pile.push_back(RectWay({100.0f * unit(rng), 100.0f * unit(rng), 0.0f}, kPi * unit(rng), 5000.0f, 175.0f));
    EXPECT_THROW(MakeNetwork(pile), LaneTreeTooLarge);
    pile.resize(60);
    const auto network = MakeNetwork(pile);
    EXPECT_GT(network->Tree().NodeCount() + network->Tree().PoolSize(), kTreeSizePerWay * pile.size());
}

TEST(LaneNetwork, EmptyNetworksFindNothing) {
    LaneNetwork negative(std::unique_ptr<WayRecord[]>(new WayRecord[1]), -1), none(nullptr, 5);
    auto empty = MakeNetwork({}), freed = MakeNetwork({BoxWay(0, 0, 100, 100)});
    freed->Free();
    for (const LaneNetwork* network : {empty.get(), &negative, &none, freed.get()}) {
        ZoneEffect e{1.0, 1.0, 1.0, 1.0, 20.0f};
        network->EvaluateWays(ProbeAt({50, 50, 0}), e);
        EXPECT_TRUE(SameEffect(e, {-99.0, -99.0, 1.0, 1.0, 20.0f}));
        Matrix3 m = TransMatrix({50, 50, 30});
        network->SnapToWay(m, 150.0f);
        EXPECT_EQ(m.GetRow(3).z, 30.0f);
        EXPECT_FALSE(network->PlaceOnRandomWay(m));
    }
}

namespace {
const Matrix3 kUntouched({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12});

// One draw per way; the largest halfX / draw wins, ties to the earlier, inert and non-finite never.
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
}  // namespace

TEST(LanePlacement, PoseFacesTheTravelDirectionOnTheCentreLine) {
    std::vector<WayRecord> ways = {MakeWay({0, 0, 0}, {1000, 0, 100}, {1000, 400, 100}, {0, 400, 0})};
    for (int i = 1; i < 12; ++i) ways.push_back(RectWay({1000.0f * i, 0, 30}, 0.7f * i, 50.0f + 40.0f * i, 100));
    const auto network = MakeNetwork(ways);
    int changes = 0, last = -1;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        SharedRandom().srand(seed);
        Matrix3 m = kUntouched;
        ASSERT_TRUE(network->PlaceOnRandomWay(m));
        const int chosen = ExpectedChoice(ways, seed);
        changes += chosen != last;
        last = chosen;
        const WayRecord& way = network->Ways()[chosen];
        // The point is the draw after the choice, along X from the way's centre.
        SharedRandom().srand(seed);
        for (std::size_t k = 0; k < ways.size(); ++k) Rand01();
        const Point3 at = way.frame.GetRow(3) + way.frame.GetRow(0) * (way.halfX * Rand11());
        const Point3 rows[] = {-way.frame.GetRow(1), way.frame.GetRow(0), way.frame.GetRow(2), at};
        for (int r = 0; r < 4; ++r) EXPECT_TRUE(Near(m.GetRow(r), rows[r], 1e-3f)) << seed << " row " << r;
        EXPECT_EQ(m.GetFlags() & MAT_IDENT, 0u);
    }
    EXPECT_GT(changes, 10);
}
