// The look-ahead planner: its motion tables, its tree, and the choices it makes on a lane.
#include "common/random_access.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct PlannerTest : VehicleTest {
    LookAheadPlanner& Prepared(float step, float centre = 0.0f) {
        index.Build(&block, 1);
        planner.Prepare(MakeCar(car), *lanes, index, ProbeOf(car, false), step, centre);
        return planner;
    }
    VehicleState car;
    std::unique_ptr<LaneNetwork> lanes = NorthLane();
    TrafficZone zones[8];
    const TrafficZone* block = zones;
    ZoneIndex index;
    LookAheadPlanner planner;
    PlanTree tree;
};

// Each step turns by atan(q / (wheelbase + L)), +X for q > 0; with centre 0, sample 10 runs straight.
TEST_F(PlannerTest, TablesOfAStandingAndAMovingVehicle) {
    for (const float step : {0.0f, 25.0f}) {
        const float centre = step == 0.0f ? 0.1f : 0.0f, base = std::min(1.0f / (step / 3.0f + 0.01f), 0.3f);
        const LookAheadPlanner& p = Prepared(step, centre);
        EXPECT_NEAR(p.spacing, base * (step == 0.0f ? 0.01f : 1.01f), 1e-6f) << step;
        for (int i = 0; i < LookAheadPlanner::kSamples; ++i) {
            EXPECT_FLOAT_EQ(p.tanTable[i], std::tan(std::clamp((i - 10) * base + centre, -1.0f, 1.0f)));
            const float turn = std::atan(p.tanTable[i] * step / (car.wheelbase + step));
            Point3 pivot(0.0f, car.pivot, 0.0f);
            for (int j = 0; j < LookAheadPlanner::kSteps; ++j) {
                const Point3 y = p.stepTable[i][j].GetRow(1), next = p.stepTable[i][j].GetTrans() + y * car.pivot;
                EXPECT_NEAR(Length(next - pivot - y * step), 0.0f, 1e-3f);
                EXPECT_NEAR(std::atan2(y.x, y.y), (j + 1) * turn, 1e-4f);
                pivot = next;
            }
        }
    }
}

// 127 nodes, 254 branches of one draw each; a branch moves the base pose by its table entry.
TEST_F(PlannerTest, TreeHas127NodesAnd254Evaluations) {
    SharedRandom().srand(7);
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
    PlanNode leaf0{{}, {{3, 1, 0, 0, 50}, {5, 2, 1, 4, 70}}, {}}, leaf1{{}, {{4, 1, 0, 0, 20}, {4, 3, 0, 0, 90}}, {}};
    PlanNode root{{&leaf0, &leaf1}, {{1, 1, 1, 1, 60}, {2, 1, 0, 0, 80}}, {}};
    ZoneEffect best;
    root.BestTotal(best);
    EXPECT_TRUE(SameEffect(root.effect[0], {6, 3, 2, 5, 60}));
    EXPECT_TRUE(SameEffect(best, root.effect[1]) && SameEffect(best, {6, 4, 0, 0, 80}));
    EXPECT_EQ(root.Steer(), 0.0f);
    root.effect[0].score = -40;
    EXPECT_EQ(root.Steer(), 1.0f);
}

// A slot 0 zone is seen by levels 1 and 2 only; standing, every branch ends where the car stands.
TEST_F(PlannerTest, SlotZeroBlockReachesLevelsOneAndTwoOnly) {
    zones[0].Init(Matrix3(), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    PlanNode* node = &tree.Grow(car.bodyTM, Prepared(0.0f));
    for (int level = 1; node != nullptr; ++level, node = node->child[0])
        EXPECT_EQ(node->effect[0].found, level <= 2 ? 10.0 * (1 - 100) : 10.0) << level;
}

}  // namespace
