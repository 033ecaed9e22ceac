// The network's queries against brute force on thousands of random ways: every way whose
// containment test holds is met, in the order of the plain recursive descent (deepest cell
// first, then each ancestor, each cell's ways in list order), with the same results from the
// tree's own descent and from the compiled index.
#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "road/quad_tree.h"
#include "tests/road/road_test_support.h"

namespace {
constexpr float kPi = 3.14159265f;

struct City {
    std::vector<WayRecord> ways;
    std::unique_ptr<LaneNetwork> network;
};

// Small turned lanes, tapered and sloped pieces, large plazas that stay at upper nodes, a few
// bridges and some degenerate ways; bus stops and parking bays scattered among them.
City RandomCity(unsigned seed, int n) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    City city;
    for (int i = 0; i < n; ++i) {
        const float kind = unit(rng);
        const Point3 centre(40000.0f * unit(rng) - 20000.0f, 40000.0f * unit(rng) - 20000.0f,
                            unit(rng) < 0.1f ? 300.0f : 0.0f);
        const float angle = unit(rng) < 0.3f ? kPi * 0.5f * static_cast<float>(i % 4) : 2.0f * kPi * unit(rng);
        WayRecord way;
        if (kind < 0.05f) {
            way = RectWay(centre, angle, 3000.0f + 12000.0f * unit(rng), 3000.0f + 12000.0f * unit(rng));
        } else if (kind < 0.97f) {
            const float hx = 100.0f + 2500.0f * unit(rng), hy = 150.0f + 250.0f * unit(rng);
            way = RectWay(centre, angle, hx, hy);
            if (kind > 0.8f) {  // taper, shear and slope
                Point3 c[4];
                for (int k = 0; k < 4; ++k)
                    c[k] = way.corner[k] + Point3(hx * (unit(rng) - 0.5f), hy * (unit(rng) - 0.5f), 200.0f * unit(rng));
                way = MakeWay(c[0], c[1], c[2], c[3]);
            }
        } else {
            way = MakeWay(centre, centre, centre + Point3(0, 100, 0), centre + Point3(0, 100, 0));
        }
        way.maxSpeed = 500.0f + 2000.0f * unit(rng);
        for (auto& e : way.enable) e = unit(rng) < 0.8f;
        way.isBusStop = unit(rng) < 0.15f;
        way.isParking = !way.isBusStop && unit(rng) < 0.15f;
        city.ways.push_back(way);
    }
    city.network = MakeNetwork(city.ways);
    return city;
}

bool Contains(const WayRecord& way, const Point3& p, float height) {
    const Point3 q = p * way.inverse;
    return std::fabs(q.x) <= way.halfX && std::fabs(q.y) <= way.halfY && std::fabs(q.z) <= height;
}

// The descent at its plainest: recurse into the point's child first, then the node's items.
void ReferenceVisit(const QuadNode& node, const Point3& p, std::vector<const WayRecord*>& out) {
    if (node.child[0]) ReferenceVisit(*node.child[(p.x > node.centre.x) + 2 * (p.y > node.centre.y)], p, out);
    for (int i = 0; i < node.count; ++i) out.push_back(node.items[i]);
}

void ReferenceSnap(const QuadNode& node, const Point3& p, Matrix3& m, float& h) {
    if (node.child[0]) ReferenceSnap(*node.child[(p.x > node.centre.x) + 2 * (p.y > node.centre.y)], p, m, h);
    for (int i = 0; i < node.count; ++i) node.items[i]->Snap(m, h);
}

VehicleProbe RandomProbe(const City& city, std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const std::vector<WayRecord>& ways = city.ways;
    const WayRecord& way = ways[rng() % ways.size()];
    Point3 p;
    const float where = unit(rng);
    if (where < 0.6f && !way.IsInert()) {
        const Point3 local((2.0f * unit(rng) - 1.0f) * way.halfX, (2.0f * unit(rng) - 1.0f) * way.halfY,
                           300.0f * (unit(rng) - 0.5f));
        p = local * way.frame;
    } else if (where < 0.75f) {
        p = way.corner[rng() % 4];  // exactly on an edge of its way
    } else {
        p = Point3(48000.0f * unit(rng) - 24000.0f, 48000.0f * unit(rng) - 24000.0f, 400.0f * unit(rng));
    }
    const QuadNode& root = *city.network->Root();
    if (unit(rng) < 0.1f) p.x = root.centre.x;  // on a centre line
    if (unit(rng) < 0.1f) p.y = root.child[3]->centre.y;

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

std::vector<const WayRecord*> Sorted(std::vector<const WayRecord*> v) {
    std::sort(v.begin(), v.end());
    return v;
}
}  // namespace

TEST(LaneQuery, EvaluateWaysMatchesBruteForceInDescentOrder) {
    const City city = RandomCity(11, 4000);
    std::mt19937 rng(12);
    int met = 0, orderMatters = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        const VehicleProbe probe = RandomProbe(city, rng);

        std::vector<const WayRecord*> visited, inTree, brute;
        ReferenceVisit(*city.network->Root(), probe.position, visited);
        for (const WayRecord* w : visited)
            if (Contains(*w, probe.position, probe.size.z)) inTree.push_back(w);
        const LaneNetwork& network = *city.network;
        for (int i = 0; i < network.Count(); ++i)
            if (Contains(network.Ways()[i], probe.position, probe.size.z)) brute.push_back(&network.Ways()[i]);
        ASSERT_EQ(Sorted(inTree), brute) << "trial " << trial;
        met += static_cast<int>(brute.size());

        ZoneEffect expected = kLaneStart, reversed = kLaneStart, viaTree = kLaneStart;
        for (const WayRecord* w : inTree) w->Evaluate(probe, expected);
        network.Root()->EvaluateWays(probe, viaTree);
        ASSERT_TRUE(SameEffect(viaTree, expected)) << "trial " << trial;
        for (auto w = inTree.rbegin(); w != inTree.rend(); ++w) (*w)->Evaluate(probe, reversed);
        orderMatters += expected.stopTerm != reversed.stopTerm;
        expected.score += expected.stopTerm;
        ZoneEffect want{1.0, 2.0, 3.0, 4.0, 900.0f}, got = want;
        want.Accumulate(expected);
        city.network->EvaluateWays(probe, got);
        ASSERT_TRUE(SameEffect(got, want)) << "trial " << trial;
    }
    EXPECT_GT(met, 6000);
    EXPECT_GT(orderMatters, 50);
}

TEST(LaneQuery, SnapToWayMatchesTheRecursiveDescent) {
    const City city = RandomCity(21, 4000);
    std::mt19937 rng(22);
    int moved = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        const VehicleProbe probe = RandomProbe(city, rng);
        Matrix3 start = probe.bodyTM;
        start.SetRow(1, probe.heading);
        start.SetRow(3, probe.position);
        start.SetFlags(MAT_IDENT);
        const float tolerance = trial % 2 ? 150.0f : 1000.0f;

        Matrix3 expected = start;
        float h = tolerance;
        ReferenceSnap(*city.network->Root(), start.GetRow(3), expected, h);
        Matrix3 viaTree = start;
        float treeTolerance = tolerance;
        city.network->Root()->SnapToWay(viaTree, treeTolerance);
        ASSERT_TRUE(SameMatrix(viaTree, expected)) << "trial " << trial;
        ASSERT_EQ(treeTolerance, h) << "trial " << trial;
        Matrix3 got = start;
        city.network->SnapToWay(got, tolerance);
        ASSERT_TRUE(SameMatrix(got, expected)) << "trial " << trial;
        moved += got != start;
    }
    EXPECT_GT(moved, 1000);
}

TEST(LaneQuery, ConcurrentQueriesGiveTheSerialResults) {
    // Runs read one shared network from every worker at once.
    const City city = RandomCity(31, 2000);
    std::mt19937 rng(32);
    std::vector<VehicleProbe> probes;
    for (int i = 0; i < 2000; ++i) probes.push_back(RandomProbe(city, rng));
    const auto run = [&](std::size_t from, std::size_t step, std::vector<ZoneEffect>& effects,
                         std::vector<Matrix3>& poses) {
        for (std::size_t i = from; i < probes.size(); i += step) {
            city.network->EvaluateWays(probes[i], effects[i]);
            poses[i] = probes[i].bodyTM;
            poses[i].SetRow(3, probes[i].position);
            city.network->SnapToWay(poses[i], 150.0f);
        }
    };
    std::vector<ZoneEffect> serial(probes.size()), parallel(probes.size());
    std::vector<Matrix3> serialPoses(probes.size()), parallelPoses(probes.size());
    run(0, 1, serial, serialPoses);
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < 8; ++t) workers.emplace_back(run, t, 8, std::ref(parallel), std::ref(parallelPoses));
    for (std::thread& w : workers) w.join();
    for (std::size_t i = 0; i < probes.size(); ++i) {
        ASSERT_TRUE(SameEffect(parallel[i], serial[i])) << i;
        ASSERT_TRUE(SameMatrix(parallelPoses[i], serialPoses[i])) << i;
    }
}

TEST(LaneQuery, DeepestCellFirstThenAncestors) {
    // A plaza held high in the tree and a bus stop deep below it, both under the probe: the
    // plaza, met last, decides the stop term.
    std::vector<WayRecord> ways;
    for (int i = 0; i < 1600; ++i)
        ways.push_back(RectWay({static_cast<float>(i % 40) * 250.0f, static_cast<float>(i / 40) * 250.0f, 0}, 0, 50, 20));
    WayRecord plaza = RectWay({5000.0f, 5000.0f, 0.0f}, 0.0f, 3000.0f, 3000.0f);
    plaza.isParking = 1;
    WayRecord stop = RectWay({5100.0f, 5100.0f, 0.0f}, 0.0f, 100.0f, 50.0f);
    stop.isBusStop = 1;
    ways.push_back(plaza);
    ways.push_back(stop);
    const auto network = MakeNetwork(ways);

    VehicleProbe bus = ProbeAt({5110.0f, 5110.0f, 0.0f});
    bus.type = 1;
    bus.inner = 1;
    bus.busMayStop = 1;
    bus.slot = 1;
    // Depth of the cell on the probe's path that holds way i.
    const auto heldAt = [&](int i) {
        int depth = 0;
        for (const QuadNode* node = network->Root(); node != nullptr; ++depth) {
            if (std::count(node->items.get(), node->items.get() + node->count, &network->Ways()[i]) > 0) return depth;
            node = node->child[0] ? node->child[node->ChildIndex(bus.position)].get() : nullptr;
        }
        return -1;
    };
    ASSERT_GT(heldAt(1600), 0);
    ASSERT_GT(heldAt(1601), heldAt(1600));

    ZoneEffect e{};
    network->EvaluateWays(bus, e);
    EXPECT_EQ(e.stopTerm, -20.0);
    EXPECT_EQ(e.priority, 15.0);
    EXPECT_EQ(e.found, 1.0);

    // With the roles swapped the plaza, still met last, decides the other way.
    std::swap(ways[1600].isParking, ways[1601].isParking);
    std::swap(ways[1600].isBusStop, ways[1601].isBusStop);
    e = {};
    MakeNetwork(ways)->EvaluateWays(bus, e);
    EXPECT_EQ(e.stopTerm, 15.0);
}
