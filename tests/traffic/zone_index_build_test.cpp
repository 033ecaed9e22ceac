// The parallel build: the same trees for every helper maximum, every run and every failure to
// get a thread or an event; the helper budget kept; every event closed; exceptions delivered.
#include "traffic/zone_index.h"

#include <atomic>
#include <stdexcept>

#include <gtest/gtest.h>

#include "host/testing.h"
#include "tests/traffic/zone_index_support.h"

namespace {
class ZoneIndexBuild : public ::testing::Test {
protected:
    void SetUp() override {
        reference_.SetHelperMaximum(0);
        scene_.BuildInto(reference_);
        EXPECT_TRUE(HostWaitForThreads());
        HostResetThreadsAndEvents();
    }
    void TearDown() override {
        EXPECT_TRUE(HostWaitForThreads());
        const HostThreadCounts counts = HostThreadAndEventCounts();
        EXPECT_EQ(counts.eventsCreated, counts.eventsClosed);
        HostResetThreadsAndEvents();
    }

    // Big enough that quadrant builds go to helpers at every maximum above 0.
    const ZoneScene scene_ = RandomScene(31, 9000, 3000.0f);
    ZoneIndex reference_;
};

std::atomic<int> hookCalls{0};
std::atomic<bool> thrown{false};

void ThrowOnFirstHelper(bool onHelper) {
    hookCalls.fetch_add(1);
    if (onHelper && !thrown.exchange(true)) throw std::runtime_error("quadrant build failed");
}

void ThrowOnFirstChild(bool) {
    if (!thrown.exchange(true)) throw std::runtime_error("quadrant build failed");
}

bool IsEmpty(const ZoneIndex& index) {
    for (int s = 0; s < ZoneIndex::kSlots; ++s)
        if (!index.Tree(s).nodes.empty()) return false;
    return true;
}
}  // namespace

TEST_F(ZoneIndexBuild, TreesAreTheSameForEveryMaximumAndRun) {
    for (const int maximum : {1, 2, 8, 8, 8, 0}) {
        ZoneIndex index;
        index.SetHelperMaximum(maximum);
        const ZoneBuildStats stats = scene_.BuildInto(index);
        EXPECT_TRUE(SameTrees(index, reference_)) << "maximum " << maximum;
        EXPECT_EQ(stats.helperMaximum, maximum);
        EXPECT_EQ(stats.helpersStarted > 0, maximum > 0) << "maximum " << maximum;
    }
}

TEST_F(ZoneIndexBuild, HelpersNeverExceedTheMaximumAndAllGiveBack) {
    for (const int maximum : {0, 1, 3, 8}) {
        ZoneIndex index;
        index.SetHelperMaximum(maximum);
        const ZoneBuildStats stats = scene_.BuildInto(index);
        EXPECT_LE(stats.peakHelpers, maximum);
        EXPECT_EQ(stats.peakHelpers > 0, maximum > 0);
        EXPECT_EQ(stats.helpersLeft, 0);
        EXPECT_EQ(stats.fallbacks, 0);
    }
}

TEST_F(ZoneIndexBuild, DefaultMaximumIsTheWorkerCount) {
    HostSetProcessorCount(3);
    ZoneIndex index;
    const ZoneBuildStats stats = scene_.BuildInto(index);
    HostSetProcessorCount(std::nullopt);
    EXPECT_EQ(stats.helperMaximum, 3);
    EXPECT_LE(stats.peakHelpers, 3);
    EXPECT_TRUE(SameTrees(index, reference_));
}

TEST_F(ZoneIndexBuild, NoEventsMeansEverythingInline) {
    HostSetEventFailures({.every = 1});
    ZoneIndex index;
    index.SetHelperMaximum(8);
    const ZoneBuildStats stats = scene_.BuildInto(index);
    EXPECT_TRUE(SameTrees(index, reference_));
    EXPECT_EQ(stats.helpersStarted, 0);
    EXPECT_GE(stats.fallbacks, ZoneIndex::kSlots);
    EXPECT_EQ(stats.helpersLeft, 0);
    EXPECT_EQ(HostThreadAndEventCounts().threadsStarted, 0);
}

TEST_F(ZoneIndexBuild, NoThreadsMeansEverythingInline) {
    HostSetThreadStartFailures({.every = 1});
    ZoneIndex index;
    index.SetHelperMaximum(8);
    const ZoneBuildStats stats = scene_.BuildInto(index);
    EXPECT_TRUE(SameTrees(index, reference_));
    EXPECT_EQ(stats.helpersStarted, 0);
    EXPECT_GE(stats.fallbacks, ZoneIndex::kSlots);
    EXPECT_EQ(stats.helpersLeft, 0);
    EXPECT_GT(HostThreadAndEventCounts().eventsCreated, 0);
}

TEST_F(ZoneIndexBuild, SomeFailuresMixThreadsAndInline) {
    struct Plans {
        HostFailurePlan events, threads;
    };
    for (const Plans& plans : {Plans{{.next = 3}, {}}, Plans{{}, {.next = 5}}, Plans{{.every = 3}, {.every = 4}},
                               Plans{{.next = 1, .every = 2}, {.every = 2}}}) {
        HostSetEventFailures(plans.events);
        HostSetThreadStartFailures(plans.threads);
        ZoneIndex index;
        index.SetHelperMaximum(8);
        const ZoneBuildStats stats = scene_.BuildInto(index);
        EXPECT_TRUE(SameTrees(index, reference_));
        EXPECT_GT(stats.fallbacks, 0);
        EXPECT_GT(stats.helpersStarted, 0);
        EXPECT_LE(stats.peakHelpers, 8);
        EXPECT_EQ(stats.helpersLeft, 0);
    }
}

TEST_F(ZoneIndexBuild, ExceptionOnAHelperReachesTheBuilder) {
    hookCalls = 0;
    thrown = false;
    ZoneIndex index;
    index.SetHelperMaximum(8);
    index.SetChildBuildHook(ThrowOnFirstHelper);
    EXPECT_THROW(scene_.BuildInto(index), std::runtime_error);
    EXPECT_TRUE(thrown.load());
    EXPECT_TRUE(IsEmpty(index));
    ZoneEffect e = kQueryStart;
    index.Query(RandomProbes(scene_, 1, 1)[0], e);
    EXPECT_TRUE(EffectsEqual(e, kQueryStart));

    // The hook has thrown once; the next build runs through.
    scene_.BuildInto(index);
    EXPECT_TRUE(SameTrees(index, reference_));
}

TEST_F(ZoneIndexBuild, ExceptionInlineReachesTheBuilder) {
    for (const int maximum : {0, 8}) {
        thrown = false;
        HostSetThreadStartFailures({.every = maximum == 0 ? 0 : 1});
        ZoneIndex index;
        index.SetHelperMaximum(maximum);
        index.SetChildBuildHook(ThrowOnFirstChild);
        EXPECT_THROW(scene_.BuildInto(index), std::runtime_error);
        EXPECT_TRUE(IsEmpty(index));
    }
}

TEST_F(ZoneIndexBuild, BlocksRewrittenAfterTheBuildAreNotSeen) {
    ZoneScene scene = RandomScene(32, 50, 500.0f);
    ZoneIndex index;
    scene.BuildInto(index);
    const std::vector<VehicleProbe> probes = RandomProbes(scene, 33, 500);
    std::vector<ZoneEffect> before;
    for (const VehicleProbe& p : probes) {
        before.push_back(kQueryStart);
        index.Query(p, before.back());
    }
    for (ZoneBlock& block : scene.blocks)
        for (TrafficZone& z : block) z.Init(TransMatrix({0, 0, 0}), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        ZoneEffect after = kQueryStart;
        index.Query(probes[i], after);
        EXPECT_TRUE(EffectsEqual(after, before[i]));
    }
}
