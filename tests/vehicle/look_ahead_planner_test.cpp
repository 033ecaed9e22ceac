// The look-ahead planner: its motion tables, its tree, and the choices it makes on a lane.
#include <gtest/gtest.h>

#include <cmath>

#include "common/random_access.h"
#include "tests/vehicle/plan_support.h"

namespace {

class PlannerTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        MakeCar(car);
        lanes = NorthLane();
        index.Build(nullptr, 0);
    }
    LookAheadPlanner& Prepared(float step, float centre = 0.0f) {
        planner.Prepare(car, *lanes, index, ProbeOf(car), step, centre);
        return planner;
    }
    static VehicleProbe ProbeOf(const VehicleState& s) {
        VehicleProbe p;
        p.owner = s.OwnerTag();
        p.speed = s.speed;
        p.bodyTM = s.bodyTM;
        p.size = {s.halfWidth, s.halfLength, s.height};
        return p;
    }
    VehicleState car;
    std::unique_ptr<LaneNetwork> lanes;
    ZoneIndex index;
    LookAheadPlanner planner;
};

// Each bicycle step turns the heading by atan(q / (wheelbase + L)), towards +X for q > 0, and
// the centre sample runs straight ahead.
TEST_F(PlannerTest, TablesOfAStandingAndAMovingVehicle) {
    const struct { const char* name; float step, spacing; } rows[] = {
        {"standing", 0.0f, 0.3f * 0.01f}, {"moving 25 cm", 25.0f, 1.01f / (25.0f / 3.0f + 0.01f)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const LookAheadPlanner& p = Prepared(row.step, 0.1f);
        EXPECT_NEAR(p.spacing, row.spacing, 1e-6f);
        const float base = std::min(1.0f / (row.step / 3.0f + 0.01f), 0.3f);
        for (int i = 0; i < LookAheadPlanner::kSamples; ++i) {
            EXPECT_FLOAT_EQ(p.tanTable[i], std::tan(std::clamp((i - 10) * base + 0.1f, -1.0f, 1.0f)));
            const float turn = std::atan(p.tanTable[i] * row.step / (car.wheelbase + row.step));
            for (int j = 0; j < LookAheadPlanner::kSteps; ++j) {
                const Point3 y = p.stepTable[i][j].GetRow(1);
                EXPECT_NEAR(std::atan2(y.x, y.y), (j + 1) * turn, 1e-4f) << i << " " << j;
                // The rear pivot moves by one step length along the new heading.
                const Point3 pivot = p.stepTable[i][j].GetTrans() + y * car.pivot;
                const Point3 before = j == 0 ? Point3(0.0f, car.pivot, 0.0f)
                                             : p.stepTable[i][j - 1].GetTrans() + p.stepTable[i][j - 1].GetRow(1) * car.pivot;
                EXPECT_NEAR(Length(pivot - before - y * row.step), 0.0f, 1e-3f);
            }
        }
    }
    const LookAheadPlanner& straight = Prepared(25.0f);
    ExpectMatrixNear(straight.stepTable[10][11], FacingNorth(0.0f, 300.0f));
    EXPECT_GT(straight.stepTable[17][11].GetTrans().x, 10.0f);
}

// 127 nodes and 254 branches, one draw each, depth first; the arena is exactly full.
TEST_F(PlannerTest, TreeHas127NodesAnd254Evaluations) {
    SharedRandom().srand(7);
    PlanTree tree;
    car.bodyTM = RotateZMatrix(0.3f) * TransMatrix({50.0f, 100.0f, 0.0f});
    const PlanNode& root = tree.Grow(car.bodyTM, Prepared(25.0f));
    EXPECT_EQ(tree.Used(), 127);
    ExpectMatrixNear(root.pose[1], planner.stepTable[11][5] * car.bodyTM);
    const float next = Rand11();
    SharedRandom().srand(7);
    for (int i = 0; i < 254; ++i) Rand11();
    EXPECT_EQ(next, Rand11());
}

TEST(PlanNodeTest, BestTotalSumsKeepsTheLowerCapAndTiesGoToBranchOne) {
    PlanNode leaf0, leaf1, root;
    leaf0.effect[0] = {3, 1, 0, 0, 50};
    leaf0.effect[1] = {5, 2, 1, 4, 70};  // the better of leaf 0
    leaf1.effect[0] = {4, 1, 0, 0, 20};
    leaf1.effect[1] = {4, 3, 0, 0, 90};  // a tie: branch 1
    root.child[0] = &leaf0;
    root.child[1] = &leaf1;
    root.effect[0] = {1, 1, 1, 1, 60};
    root.effect[1] = {2, 1, 0, 0, 80};
    ZoneEffect best;
    root.BestTotal(best);
    EXPECT_TRUE(SameEffect(root.effect[0], {6, 3, 2, 5, 60}));
    EXPECT_TRUE(SameEffect(root.effect[1], {6, 4, 0, 0, 80}));
    EXPECT_TRUE(SameEffect(best, root.effect[1]));
    EXPECT_EQ(root.Steer(), 0.0f);
    root.effect[1].score = 40;
    EXPECT_EQ(root.Steer(), 1.0f);
}

// The lane scores its centre best: a car right of it steers left, one left of it steers right.
TEST_F(PlannerTest, OffsetCarSteersBackToTheLaneCentre) {
    const struct { const char* name; float x, sign; } rows[] = {{"right of centre", 120.0f, -1.0f}, {"left of centre", -120.0f, 1.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        car.bodyTM = FacingNorth(row.x, 0.0f);
        car.speed = 1000.0f;
        PlanTree tree;
        PlanNode& root = tree.Grow(car.bodyTM, Prepared(25.0f));
        ZoneEffect best;
        root.BestTotal(best);
        EXPECT_GT(root.Steer() * row.sign, 0.0f);
    }
}

// A zone of slot 0 is seen by levels 1 and 2 (slots 0..2) and by none after.
TEST_F(PlannerTest, SlotZeroBlockReachesLevelsOneAndTwoOnly) {
    TrafficZone block[8];
    block[0].Init(FacingNorth(0.0f, 0.0f), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    const TrafficZone* blocks[] = {block};
    index.Build(blocks, 1);
    PlanTree tree;
    // Standing, so that every branch ends where the car stands, on the lane.
    PlanNode* node = &tree.Grow(car.bodyTM, Prepared(0.0f));
    for (int level = 1; node != nullptr; ++level, node = node->child[0]) {
        SCOPED_TRACE(level);
        EXPECT_EQ(node->effect[0].found, level <= 2 ? 10.0 * (1 - 100) : 10.0);
    }
}

}  // namespace
