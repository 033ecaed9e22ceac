// Building the lane network from the scene: the walks, the modifiers they switch, and failures.

#include <tuple>

#include "tests/support/allocation_failure.h"
#include "road/lane_network_build.h"
#include "tests/road/road_support.h"

namespace {

using LaneNetworkBuild = RoadSceneTest;

// Its conversion runs out of memory in the host.
class ThrowingShape : public SplineShape {
public:
    Object* ConvertToType(TimeValue, Class_ID) override { throw std::bad_alloc(); }
};

// Each modifier of a stack is read with only itself off, so each lays its lanes along the other's
// marks: 3 lanes (F2 B1) on 2 + 2 x 2 segments, 1 lane (F1 B0) on 4 + 6 x 2.
TEST_F(LaneNetworkBuild, TwoRoadsOnOneShapeReadEachOthersDisplay) {
    RoadMod *below = nullptr, *above = new RoadMod;
    AddRoad(MakeShape(), &below)->AddWSModifier(above);
    for (const auto& [mod, forward, backward] : {std::tuple{below, 1, 0}, {above, 2, 1}})
        Block(mod)->SetValue(kForwardStrip, 0, forward), Block(mod)->SetValue(kBackwardStrip, 0, backward);
    LaneNetwork network(nullptr, 0);
    EXPECT_TRUE(BuildLaneNetwork(network) && network.Count() == 6 * 3 + 16 * 1 && below->IsEnabled() && above->IsEnabled());
}

TEST_F(LaneNetworkBuild, AllocationFailureIsReportedWithAnEmptyNetwork) {
    // Failing each allocation of the build in turn, then the host's in a road's conversion: every
    // failure is reported with an empty network, and each modifier is back as the user left it.
    RoadMod *off = nullptr, *on = nullptr;
    INode* road = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}, true));
    AddRoad(MakeShape(), &off, road);
    Block(off)->SetValue(kStripWidth, 0, 200.0f);
    off->DisableMod();
    LaneNetwork network(nullptr, 0);
    ASSERT_TRUE(BuildLaneNetwork(network) && network.Count() == 6);
    int failures = 0;
    for (int k = 0; k < 100; ++k) {
        FailAllocation(k, true);
        const bool ok = BuildLaneNetwork(network);
        const bool failed = !AllocationFailurePending();
        FailAllocation(-1, true);
        EXPECT_TRUE(!off->IsEnabled() && ok != failed && network.Count() == (failed ? 0 : 6)) << k;
        if (!failed) break;
        ++failures;
    }
    // The segment array, the way array and the two arrays of the closed road's lane line.
    EXPECT_EQ(failures, 4);
    AddRoad(new ThrowingShape, &on);
    EXPECT_TRUE(!BuildLaneNetwork(network) && network.Count() == 0 && on->IsEnabled() && !off->IsEnabled());
}

}  // namespace
