// ZoneIndex: queries equal brute force over three slots, however built; the build keeps its budget.
#include "traffic/zone_index.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

#include "tests/host/host_support.h"
#include "tests/traffic/zone_test_support.h"
#include "traffic/zone_shape.h"

namespace {
using ZoneBlock = std::array<TrafficZone, 8>;

struct ZoneScene {
    std::vector<ZoneBlock> blocks;

    ZoneBuildStats BuildInto(ZoneIndex& index) const {
        std::vector<const TrafficZone*> p;
        for (const ZoneBlock& block : blocks) p.push_back(block.data());
        return index.Build(p.data(), static_cast<std::int32_t>(p.size()));
    }
};

// Blocks around origin, `tall` times higher than wide; sheared zones' edges meet at 20 to 160 degrees.
struct Spread {
    Point3 origin{};
    float tall = 1.0f;
    bool sheared = false;
};

// Rules 0 to 4, and 5 which acts on nothing; owners 0 to 3.
TrafficZone RandomZone(std::mt19937& rng, Point3 centre, float size, int slot, bool sheared) {
    const float a = Uniform(rng, -kPi, kPi), shear = sheared ? Uniform(rng, 0.35f, 2.8f) : kPi / 2;
    const Point3 at(centre.x, centre.y, Uniform(rng, -1, 1));
    TrafficZone z;
    return z.Init(Frame({std::cos(a), std::sin(a), 0}, {std::cos(a + shear), std::sin(a + shear), 0}, at),
                  static_cast<std::uint64_t>(Pick(rng, 0, 3)), Uniform(rng, 0.05f, 1) * size,
                  Uniform(rng, 0.05f, 1) * size, slot, static_cast<std::uint32_t>(Pick(rng, 0, 5)), Uniform(rng, 1, 800));
}

// Blocks of zones that drift a little from slot to slot, over a rectangle of the given half width.
ZoneScene RandomScene(std::uint32_t seed, int blocks, float extent, const Spread& spread = {}) {
    std::mt19937 rng(seed);
    ZoneScene scene;
    scene.blocks.resize(static_cast<std::size_t>(blocks));
    for (ZoneBlock& block : scene.blocks) {
        const float h = extent * spread.tall;
        Point3 centre = spread.origin + Point3(Uniform(rng, -extent, extent), Uniform(rng, -h, h), 0);
        const float size = Uniform(rng, 0.005f, 0.08f) * extent;
        for (int s = 0; s < 8; ++s) {
            block[static_cast<std::size_t>(s)] = RandomZone(rng, centre, size, s, spread.sheared);
            centre += Point3(Uniform(rng, -0.02f, 0.02f), Uniform(rng, -0.02f, 0.02f), 0) * extent;
        }
    }
    return scene;
}

ZoneScene operator+(ZoneScene a, const ZoneScene& b) {
    a.blocks.insert(a.blocks.end(), b.blocks.begin(), b.blocks.end());
    return a;
}

// 300 blocks piled in one second-level cell inside 100 spread wide: helpers start helpers.
ZoneScene HelperScene() { return RandomScene(31, 300, 300, {.origin = {-2250, -2250, 0}}) + RandomScene(32, 100, 3000); }

VehicleProbe RandomProbe(std::mt19937& rng, Point3 p, int slot) {
    VehicleProbe probe;
    probe.position = p;
    probe.slot = slot;
    probe.owner = static_cast<std::uint64_t>(Pick(rng, 1, 4));
    probe.bodyTM = RotateZMatrix(Uniform(rng, -kPi, kPi)) *
                   TransMatrix({p.x + Uniform(rng, -50, 50), p.y + Uniform(rng, -50, 50), 0});
    probe.heading = probe.bodyTM.GetRow(1);
    probe.size = {Uniform(rng, 20, 100), Uniform(rng, 50, 300), 1.5f};
    return probe;
}

// Random probes with slots -3 to 12, then probes on and a float step around zone corners and midpoints.
std::vector<VehicleProbe> Probes(const ZoneScene& scene, int count, int sampled) {
    std::mt19937 rng(21);
    Box3 bounds;
    for (const ZoneBlock& block : scene.blocks)
        for (const TrafficZone& z : block) z.AddToBox(bounds);
    const Point3 margin = (bounds.pmax - bounds.pmin) * 0.1f;
    std::vector<VehicleProbe> probes;
    for (int i = 0; i < count; ++i) {
        const Point3 lo = bounds.pmin - margin, hi = bounds.pmax + margin;
        probes.push_back(RandomProbe(rng, {Uniform(rng, lo.x, hi.x), Uniform(rng, lo.y, hi.y), 0}, Pick(rng, -3, 12)));
        probes.back().position.z = Uniform(rng, -2, 2);
    }
    const auto step = [](float v, int d) { return d == 0 ? v : std::nextafter(v, static_cast<float>(d) * INFINITY); };
    const std::size_t stride = 1 + scene.blocks.size() / static_cast<std::size_t>(sampled);
    for (std::size_t b = 0; b < scene.blocks.size(); b += stride) {
        for (int s = 0; s < 8; ++s) {
            const TrafficZone& z = scene.blocks[b][static_cast<std::size_t>(s)];
            for (int i = 0; i < 8; ++i) {
                const Point3 p = i < 4 ? z.corners[i] : (z.corners[i - 4] + z.corners[(i - 3) % 4]) * 0.5f;
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy)
                        probes.push_back(RandomProbe(rng, {step(p.x, dx), step(p.y, dy), 0}, s + Pick(rng, 0, 2)));
            }
        }
    }
    return probes;
}

// Distinct values in every field, so that any change shows.
constexpr ZoneEffect kQueryStart{5.0, 3.0, 7.0, 8.0, 900.0f};
// What a blocking zone makes of kQueryStart's score: the query's own -100 added to it.
constexpr double kBlocked = kQueryStart.score - 100.0;

ZoneEffect BruteForce(const ZoneScene& scene, const VehicleProbe& probe) {
    ZoneEffect fresh;
    const int slot = std::clamp(probe.slot, 0, 7);
    for (int s = std::max(0, slot - 2); s <= slot; ++s)
        for (const ZoneBlock& block : scene.blocks) block[static_cast<std::size_t>(s)].Apply(probe, fresh);
    ZoneEffect result = kQueryStart;
    return result.Accumulate(fresh);
}

ZoneEffect Queried(const ZoneIndex& index, const VehicleProbe& probe) {
    ZoneEffect e = kQueryStart;
    index.Query(probe, e);
    return e;
}

bool SameTrees(const ZoneIndex& a, const ZoneIndex& b) {
    for (int s = 0; s < ZoneIndex::kSlots; ++s) {
        const ZoneTree &x = a.Tree(s), &y = b.Tree(s);
        if (x.nodes != y.nodes || x.entries != y.entries || x.copies != y.copies) return false;
        const auto same = [](const Box3& p, const Box3& q) { return p.pmin == q.pmin && p.pmax == q.pmax; };
        if (!std::ranges::equal(x.squares, y.squares, same)) return false;
    }
    return true;
}

struct SceneCase {
    const char* name;
    std::function<ZoneScene()> make;
    int randomProbes, sampledBlocks;
};

const SceneCase kScenes[] = {
    {"Tall", [] { return RandomScene(13, 300, 500, {.tall = 8.0f}); }, 2000, 40},
    {"ShearedFar", [] { return RandomScene(14, 200, 2000, {.origin = {3.02e5f, -1.98e5f, 0}, .sheared = true}); }, 2000, 100},
    {"Helpers", HelperScene, 500, 8},
};

using ZoneIndexTest = ThreadsTest;

class ZoneIndexQuery : public ZoneIndexTest, public ::testing::WithParamInterface<SceneCase> {};
}  // namespace

// Helpers build the same trees as the builder alone; the inline trees answer as brute force does.
TEST_P(ZoneIndexQuery, EqualsBruteForceOverTheThreeSlots) {
    const ZoneScene scene = GetParam().make();
    ZoneIndex index, helped;
    index.SetHelperMaximum(0);
    scene.BuildInto(index);
    helped.SetHelperMaximum(8);
    scene.BuildInto(helped);
    EXPECT_TRUE(SameTrees(helped, index));
    const std::vector<VehicleProbe> probes = Probes(scene, GetParam().randomProbes, GetParam().sampledBlocks);
    int touched = 0, mismatches = 0;
    for (const VehicleProbe& probe : probes) {
        const ZoneEffect expected = BruteForce(scene, probe);
        touched += SameEffect(expected, kQueryStart) ? 0 : 1;
        if (!SameEffect(Queried(index, probe), expected) && ++mismatches <= 5)
            ADD_FAILURE() << "slot " << probe.slot << " at " << probe.position.x << ", " << probe.position.y;
    }
    EXPECT_EQ(mismatches, 0) << "of " << probes.size() << " probes";
    EXPECT_GT(touched, static_cast<int>(probes.size() / 10));
}

INSTANTIATE_TEST_SUITE_P(Scenes, ZoneIndexQuery, ::testing::ValuesIn(kScenes),
                         [](const ::testing::TestParamInfo<SceneCase>& info) { return info.param.name; });

namespace {
// One scene big enough for helper threads at every maximum above 0, and its trees built without.
const ZoneScene& BigScene() {
    static const ZoneScene scene = HelperScene();
    return scene;
}

const ZoneIndex& Reference() {
    static ZoneIndex index;
    [[maybe_unused]] static const bool built = (index.SetHelperMaximum(0), BigScene().BuildInto(index), true);
    return index;
}

class ZoneIndexBuild : public ZoneIndexTest {
protected:
    void SetUp() override {
        Reference();
        ZoneIndexTest::SetUp();
    }
};

}  // namespace

#ifndef _WIN32  // only the host stand-in makes thread starts and events fail
// Same trees whatever the maximum or failures; helpers stay within the maximum and give places back.
TEST_F(ZoneIndexBuild, SameTreesWithinTheBudgetWhateverFails) {
    HostSetProcessorCount(3);
    const struct { std::optional<int> maximum; HostFailurePlan events, threads; bool started, fails; } rows[] = {
        {{}, {}, {}, true, false}, {0, {}, {}, false, false}, {1, {}, {}, true, false}, {3, {}, {}, true, false},
        {8, {}, {}, true, false}, {8, {}, {}, true, false}, {8, {.every = 1}, {}, false, true},
        {8, {}, {.every = 1}, false, true}, {8, {.next = 3}, {}, true, true}, {8, {}, {.next = 5}, true, true},
        {8, {.every = 3}, {.every = 4}, true, true}, {8, {.next = 1, .every = 2}, {.every = 2}, true, true},
    };
    for (const auto& row : rows) {
        HostResetThreadsAndEvents();
        HostSetEventFailures(row.events);
        HostSetThreadStartFailures(row.threads);
        ZoneIndex index;
        index.SetHelperMaximum(row.maximum);
        const ZoneBuildStats stats = BigScene().BuildInto(index);
        const int maximum = row.maximum.value_or(3);
        SCOPED_TRACE(testing::Message() << maximum << " events " << row.events.every << " threads " << row.threads.every);
        EXPECT_TRUE(stats.helperMaximum == maximum && SameTrees(index, Reference()) && stats.peakHelpers <= maximum);
        EXPECT_TRUE((stats.helpersStarted > 0) == row.started && (row.fails || (stats.peakHelpers > 0) == row.started));
        EXPECT_TRUE(stats.helpersLeft == 0 && (stats.fallbacks > 0) == row.fails);
        // With no thread at all, every slot and every child that asked for a helper counts.
        EXPECT_TRUE(row.started || !row.fails || stats.fallbacks > ZoneIndex::kSlots);
        EXPECT_TRUE(HostWaitForThreads());
        const HostThreadCounts counts = HostThreadAndEventCounts();
        EXPECT_TRUE(counts.eventsCreated == counts.eventsClosed && (row.started || !row.fails || counts.threadsStarted == 0));
    }
    HostSetProcessorCount(std::nullopt);
}
#endif

TEST_F(ZoneIndexTest, ZonesThatCannotBeIndexedAreLeftOut) {
    ZoneScene good;  // one zone, which splits the root into four leaves that hold it
    good.blocks.emplace_back().fill(MakeZone(FrameAt(3, 4), 1, 2));
    ZoneScene scene = good;
    // Corners beyond float range but the first, the inverse finite: Apply alone would block the probes.
    const TrafficZone huge = MakeZone(ScaleMatrix({4, 4, 1}) * TransMatrix({1.5e38f, 0, 0}), 6e37f, 5, RuleObstacle, 0);
    ASSERT_TRUE(std::isfinite(huge.corners[0].x) && !std::isfinite(huge.corners[1].x));
    ASSERT_EQ(Applied(huge, ProbeAt({1, 1, 0}, 77)).score, -100.0);
    const TrafficZone noExtent = MakeZone(TransMatrix({0, 0, 0}), std::numeric_limits<float>::quiet_NaN(), 5, RuleObstacle);
    const TrafficZone singular = MakeZone(Matrix3({1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {}), 5, 5, RuleObstacle, 0);
    for (const TrafficZone& bad : {huge, noExtent, singular}) {
        ASSERT_FALSE(IsIndexable(bad)) << "an unbounded root square would split to the deepest level";
        scene.blocks.emplace_back().fill(bad);
    }

    ZoneIndex index, goodIndex;
    scene.BuildInto(index);
    good.BuildInto(goodIndex);
    for (const VehicleProbe& p : Probes(good, 400, 10)) EXPECT_TRUE(SameEffect(Queried(index, p), BruteForce(good, p)));
    EXPECT_TRUE(SameTrees(index, goodIndex)) << "the bad zones stretched or entered the trees";
    EXPECT_TRUE(goodIndex.Tree(0).nodes.size() == 5 && goodIndex.Tree(0).entries.size() == 4);
}

// A throwing quadrant build, helper or inline, makes Build throw and empty; the next build works.
TEST_F(ZoneIndexBuild, ExceptionsReachTheBuilder) {
    static std::atomic<int> throwsLeft{0};
    for (const int maximum : {8, 0}) {
        ZoneIndex index;
        index.SetHelperMaximum(maximum);
        index.SetChildBuildHook([](bool) {
            if (throwsLeft.fetch_sub(1) == 1) throw std::runtime_error("quadrant build failed");
        });
        throwsLeft = 40;
        EXPECT_THROW(BigScene().BuildInto(index), std::runtime_error) << maximum;
        EXPECT_TRUE(index.Tree(0).nodes.empty() && index.Tree(7).nodes.empty());
        BigScene().BuildInto(index);
        EXPECT_TRUE(SameTrees(index, Reference()));
    }
}
