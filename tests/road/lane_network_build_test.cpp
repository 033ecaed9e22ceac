// Building the lane network from the scene: the walks, the modifiers they switch, and failures.

#include "tests/support/allocation_failure.h"
#include "road/lane_network_build.h"
#include "tests/road/road_support.h"

namespace {

using LaneNetworkBuild = RoadSceneTest;

struct Built {
    std::unique_ptr<LaneNetwork> network = std::make_unique<LaneNetwork>(nullptr, 0);
    bool ok = BuildLaneNetwork(*network);
};

INode* RoadOfWidth(float width, INode* parent = nullptr, RoadMod** mod = nullptr) {
    RoadMod* road = nullptr;
    INode* node = AddRoad(MakeShape(), &road, parent);
    Block(road)->SetValue(kStripWidth, 0, width);
    if (mod != nullptr) *mod = road;
    return node;
}

// Its conversion runs out of memory in the host.
class ThrowingShape : public SplineShape {
public:
    Object* ConvertToType(TimeValue, Class_ID) override { throw std::bad_alloc(); }
};

TEST_F(LaneNetworkBuild, HostRunningOutOfMemoryMidWalkIsReported) {
    RoadOfWidth(100.0f);
    RoadMod* road = nullptr;
    INode* node = AddRoad(new ThrowingShape, &road);
    auto* crossing = new FakeCrossMod;
    node->AddWSModifier(crossing);
    const Built b;
    EXPECT_FALSE(b.ok);
    EXPECT_EQ(b.network->Count(), 0);
    EXPECT_TRUE(road->IsEnabled() && crossing->IsEnabled());
}

TEST_F(LaneNetworkBuild, AllocationFailureIsReportedWithAnEmptyNetwork) {
    // Failing each allocation of the build in turn: every failure is reported with an empty
    // network, and every modifier is back in the state it had.
    RoadMod* off = nullptr;
    INode* road = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}, true));
    RoadOfWidth(200.0f, road, &off);
    off->DisableMod();
    auto* crossing = new FakeCrossMod;
    road->AddWSModifier(crossing);
    Built b;
    ASSERT_TRUE(b.ok);
    ASSERT_EQ(b.network->Count(), 6);
    int failures = 0;
    for (int k = 0; k < 100; ++k) {
        FailAllocation(k, true);
        const bool ok = BuildLaneNetwork(*b.network);
        const bool failed = !AllocationFailurePending();
        FailAllocation(-1, true);
        EXPECT_FALSE(off->IsEnabled());
        EXPECT_TRUE(crossing->IsEnabled());
        if (!failed) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(b.network->Count(), 6);
            break;
        }
        ++failures;
        EXPECT_FALSE(ok) << k;
        EXPECT_EQ(b.network->Count(), 0) << k;
    }
    // The segment array, the way array and the two arrays of the closed road's lane line.
    EXPECT_EQ(failures, 4);
}

}  // namespace
