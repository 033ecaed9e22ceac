// ZoneIndex::Query must give exactly what applying every zone of the probe's slot and the two
// slots before it gives, whatever the scene and however many helper threads built the trees.
#include "traffic/zone_index.h"

#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "host/testing.h"
#include "tests/traffic/zone_index_support.h"

namespace {
struct SceneCase {
    const char* name;
    std::function<ZoneScene()> make;
};

const SceneCase kScenes[] = {
    {"Random", [] { return RandomScene(11, 300, 5000.0f); }},
    // Far from the origin, where rounding is coarse next to the zones' sizes.
    {"RandomFar", [] { return RandomScene(12, 200, 400.0f, {250000.3f, -180000.7f, 0.0f}); }},
    {"Clusters", [] { return ClusterScene(13); }},
    {"Duplicates", [] { return DuplicateScene(14); }},
    {"GridDyadic", [] { return GridScene({0, 0, 0}, 8.0f, false); }},
    {"GridTurned", [] { return GridScene({1000.3f, -77.7f, 0}, 12.5f, true); }},
    {"GridFar", [] { return GridScene({-123456.7f, 98765.4f, 0}, 333.3f, false); }},
};

using QueryParam = std::tuple<int, int>;  // scene, helper maximum

class ZoneIndexQuery : public ::testing::TestWithParam<QueryParam> {
protected:
    void SetUp() override { HostResetThreadsAndEvents(); }
    void TearDown() override { EXPECT_TRUE(HostWaitForThreads()); }
};

}  // namespace

TEST_P(ZoneIndexQuery, EqualsBruteForceOverTheThreeSlots) {
    const auto [which, maximum] = GetParam();
    const ZoneScene scene = kScenes[which].make();
    ZoneIndex index;
    index.SetHelperMaximum(maximum);
    const ZoneBuildStats stats = scene.BuildInto(index);
    EXPECT_EQ(stats.helpersLeft, 0);

    std::vector<VehicleProbe> probes = RandomProbes(scene, 21, 2000);
    const std::vector<VehicleProbe> boundary = BoundaryProbes(scene, 22);
    const std::vector<VehicleProbe> centres = CentreLineProbes(index, 23);
    probes.insert(probes.end(), boundary.begin(), boundary.end());
    probes.insert(probes.end(), centres.begin(), centres.end());

    int mismatches = 0, touched = 0;
    for (const VehicleProbe& probe : probes) {
        ZoneEffect got = kQueryStart;
        index.Query(probe, got);
        const ZoneEffect expected = BruteForce(scene, probe, kQueryStart);
        if (!EffectsEqual(expected, kQueryStart)) ++touched;
        if (EffectsEqual(got, expected)) continue;
        if (++mismatches <= 5) {
            ADD_FAILURE() << "probe (" << probe.position.x << ", " << probe.position.y << ") slot " << probe.slot
                          << ": got score " << got.score << " cap " << got.speedCap << ", expected score "
                          << expected.score << " cap " << expected.speedCap;
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << probes.size() << " probes";
    // The comparison means something only if many probes meet zones.
    EXPECT_GT(touched, static_cast<int>(probes.size() / 10));
}

INSTANTIATE_TEST_SUITE_P(Scenes, ZoneIndexQuery,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kScenes))),
                                            ::testing::Values(0, 1, 8)),
                         [](const ::testing::TestParamInfo<QueryParam>& info) {
                             return std::string(kScenes[std::get<0>(info.param)].name) + "_Max" +
                                    std::to_string(std::get<1>(info.param));
                         });
