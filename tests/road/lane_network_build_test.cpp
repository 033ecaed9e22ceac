#include <map>
#include <memory>
#include <new>

#include "nothrow_failure.h"
#include "road/lane_network.h"
#include "road/lane_network_build.h"
#include "road/road_segment.h"
#include "road/scene_walk.h"
#include "road_scene_support.h"

namespace {

using LaneNetworkBuild = RoadSceneTest;

struct Built {
    std::unique_ptr<LaneNetwork> network;
    bool ok = false;
};

Built Build() {
    Built b{std::make_unique<LaneNetwork>(nullptr, 0)};
    b.ok = BuildLaneNetwork(*b.network);
    return b;
}

std::vector<float> HalfWidths(const LaneNetwork& network) {
    std::vector<float> out;
    for (int i = 0; i < network.Count(); ++i) out.push_back(network.Ways()[i].halfY);
    return out;
}

INode* RoadOfWidth(float width, INode* parent = nullptr, RoadMod** mod = nullptr) {
    RoadMod* road = nullptr;
    INode* node = AddRoad(StraightShape(), &road, parent);
    Block(road)->SetValue(kStripWidth, 0, width);
    if (mod != nullptr) *mod = road;
    return node;
}

std::map<ReferenceTarget*, int> ChangesBySender() {
    std::map<ReferenceTarget*, int> out;
    for (const Notification& n : HostNotifications()) {
        EXPECT_EQ(n.message, REFMSG_CHANGE);
        EXPECT_EQ(n.interval, FOREVER);
        EXPECT_EQ(n.partID, PART_ALL);
        ++out[n.sender];
    }
    return out;
}

TEST_F(LaneNetworkBuild, SceneWithoutRoadsGivesAnEmptyLeaf) {
    GetCOREInterface()->CreateObjectNode(StraightShape());
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    EXPECT_EQ(b.network->Count(), 0);
    ASSERT_NE(b.network->Root(), nullptr);
    EXPECT_EQ(b.network->Root()->count, 0);
    EXPECT_EQ(b.network->Root()->child[0], nullptr);
}

TEST_F(LaneNetworkBuild, SwitchedOffRoadContributesNothing) {
    RoadMod* off = nullptr;
    RoadOfWidth(100.0f, nullptr, &off);
    RoadOfWidth(300.0f);
    off->DisableMod();
    HostClearNotifications();
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    EXPECT_EQ(HalfWidths(*b.network), (std::vector<float>{150, 150}));
    EXPECT_FALSE(off->IsEnabled());
    EXPECT_EQ(ChangesBySender().count(off), 0u);

    RoadSegmentArray segments;
    EXPECT_TRUE(CollectRoadSegments(segments));
    ASSERT_EQ(segments.count, 1);
    EXPECT_EQ(segments.items[0].stripWidth, 300.0f);
    FreeRoadSegments(segments);
    EXPECT_EQ(segments.items, nullptr);
    EXPECT_EQ(segments.count, 0);
}

// Each road modifier reads the shape as drawn, not the other's lane display.
TEST_F(LaneNetworkBuild, TwoRoadModifiersContributeInIndexOrder) {
    RoadMod* lower = nullptr;
    INode* node = RoadOfWidth(100.0f, nullptr, &lower);
    RoadMod* upper = AddRoadMod(node);
    Block(upper)->SetValue(kStripWidth, 0, 300.0f);
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    EXPECT_EQ(HalfWidths(*b.network), (std::vector<float>{150, 150, 50, 50}));
    EXPECT_EQ(b.network->Ways()[2].corner[0], Point3(0, -100, 0));
    EXPECT_TRUE(lower->IsEnabled());
    EXPECT_TRUE(upper->IsEnabled());
}

TEST_F(LaneNetworkBuild, CrossingsOnTheRoadsStackAreOffWhileItIsRead) {
    RoadMod* road = nullptr;
    INode* node = RoadOfWidth(420.0f, nullptr, &road);
    auto* crossing = new FakeCrossMod;
    auto* idle = new FakeCrossMod;
    node->AddWSModifier(crossing);
    node->AddWSModifier(idle);
    idle->DisableMod();
    HostClearNotifications();
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    ASSERT_EQ(b.network->Count(), 2);
    EXPECT_EQ(b.network->Ways()[0].corner[0], Point3(0, -420, 0));
    EXPECT_EQ(crossing->calls, 0);
    EXPECT_TRUE(crossing->IsEnabled());
    EXPECT_FALSE(idle->IsEnabled());

    // Four reads (segment and way counts and fills), each switching the crossing off and on;
    // the road itself is switched around each of its four calls.
    std::map<ReferenceTarget*, int> changes = ChangesBySender();
    EXPECT_EQ(changes[road], 8);
    EXPECT_EQ(changes[crossing], 8);
    EXPECT_EQ(changes.count(idle), 0u);
}

TEST_F(LaneNetworkBuild, NodesAreVisitedDepthFirstInChildOrder) {
    INode* a = RoadOfWidth(100.0f);
    RoadOfWidth(200.0f);
    INode* c = RoadOfWidth(300.0f, a);
    RoadOfWidth(400.0f, c);
    RoadOfWidth(500.0f, a);
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    EXPECT_EQ(HalfWidths(*b.network), (std::vector<float>{50, 50, 150, 150, 200, 200, 250, 250, 100, 100}));
}

TEST_F(LaneNetworkBuild, WaysAlongXOnlyGetASquareRootCell) {
    for (float x0 : {0.0f, 3000.0f}) {
        RoadMod* mod = nullptr;
        AddRoad(MakeShape({{x0, 0, 0}, {x0 + 2000.0f, 0, 0}}), &mod);
        Block(mod)->SetValue(kStripWidth, 0, 0.0f);
        Block(mod)->SetValue(kBackwardStrip, 0, 0);
    }
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    ASSERT_EQ(b.network->Count(), 2);
    const Box3& cell = b.network->Root()->bounds;
    EXPECT_FLOAT_EQ(cell.pmin.x, 0.0f);
    EXPECT_FLOAT_EQ(cell.pmax.x, 5000.0f);
    EXPECT_NEAR(cell.pmin.y, -2500.0f, 1e-3f);
    EXPECT_NEAR(cell.pmax.y, 2500.0f, 1e-3f);
    EXPECT_EQ(cell.pmin.z, 0.0f);
    EXPECT_EQ(cell.pmax.z, 0.0f);
}

TEST_F(LaneNetworkBuild, ShapeOfAnotherClassIsConvertedAndLeftAlone) {
    auto* foreign = new ForeignShape;
    foreign->knots = {{0, 0, 0}, {1000, 0, 0}};
    INode* node = AddRoad(foreign);
    const Built b = Build();
    EXPECT_TRUE(b.ok);
    ASSERT_EQ(b.network->Count(), 2);
    EXPECT_EQ(b.network->Ways()[1].corner[0], Point3(1000, 420, 0));
    EXPECT_EQ(node->GetObjectRef(), foreign);
    EXPECT_EQ(foreign->knots.size(), 2u);
}

TEST_F(LaneNetworkBuild, BuildLeavesTheSceneAsItWas) {
    SplineShape* base = StraightShape();
    RoadMod* mod = nullptr;
    INode* node = AddRoad(base, &mod);
    node->SetNodeTM(0, TransMatrix({0, 0, 30}));
    Build();
    EXPECT_EQ(node->GetObjectRef(), base);
    ASSERT_EQ(base->shape.SplineCount(), 1);
    EXPECT_EQ(base->shape.GetSpline(0)->KnotCount(), 2);
    EXPECT_EQ(base->shape.GetSpline(0)->GetKnotPoint(1), Point3(1000, 0, 0));
    ObjectState display = node->EvalWorldState(0);
    EXPECT_EQ(static_cast<SplineShape*>(display.obj)->shape.SplineCount(), 7);
}

TEST_F(LaneNetworkBuild, ClosedRoadSegmentsCloseOnTheirFirstPoint) {
    AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}, true));
    RoadOfWidth(200.0f);
    RoadSegmentArray segments;
    ASSERT_TRUE(CollectRoadSegments(segments));
    ASSERT_EQ(segments.count, 4);
    EXPECT_EQ(segments.items[2].start, Point3(1000, 1000, 0));
    EXPECT_EQ(segments.items[2].end, Point3(0, 0, 0));
    EXPECT_EQ(segments.items[3].stripWidth, 200.0f);
    FreeRoadSegments(segments);
}

TEST_F(LaneNetworkBuild, SceneFillStopsAtTheCapacity) {
    for (float width : {100.0f, 200.0f, 300.0f}) RoadOfWidth(width);
    INode* root = GetCOREInterface()->GetRootNode();
    int count = 0;
    CountWaysInScene(root, count);
    ASSERT_EQ(count, 6);
    std::unique_ptr<WayRecord[]> ways(new WayRecord[3]);
    int index = 0;
    FillWaysInScene(root, ways.get(), index, 3);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(ways[2].halfY, 100.0f);
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
    const Built b = Build();
    EXPECT_FALSE(b.ok);
    EXPECT_EQ(b.network->Count(), 0);
    EXPECT_TRUE(road->IsEnabled());
    EXPECT_TRUE(crossing->IsEnabled());
}

// Failing each allocation of the build in turn: every failure is reported with an empty
// network, and every modifier is back in the state it had.
TEST_F(LaneNetworkBuild, AllocationFailureIsReportedWithAnEmptyNetwork) {
    RoadMod* off = nullptr;
    INode* road = AddRoad(MakeShape({{0, 0, 0}, {1000, 0, 0}, {1000, 1000, 0}}, true));
    RoadOfWidth(200.0f, road, &off);
    off->DisableMod();
    auto* crossing = new FakeCrossMod;
    road->AddWSModifier(crossing);
    Built b = Build();
    ASSERT_TRUE(b.ok);
    const int full = b.network->Count();
    ASSERT_EQ(full, 6);

    int failures = 0;
    for (int k = 0; k < 100; ++k) {
        FailNothrowAllocation(k);
        const bool ok = BuildLaneNetwork(*b.network);
        const bool failed = !NothrowFailurePending();
        FailNothrowAllocation(-1);
        EXPECT_FALSE(off->IsEnabled());
        EXPECT_TRUE(crossing->IsEnabled());
        if (!failed) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(b.network->Count(), full);
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
