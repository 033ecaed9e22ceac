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

// 127 nodes, 254 branches of one draw each; a branch moves the base pose by its table entry. Each
// branch caps its speed by its own steering sample, turnSpeed / (|tan| + 1e-5), then by maxSpeed.
TEST_F(PlannerTest, TreeHas127NodesAnd254Evaluations) {
    SharedRandom().srand(7);
    car.bodyTM = RotateZMatrix(0.3f) * TransMatrix({50.0f, 100.0f, 0.0f});
    const PlanNode& root = tree.Grow(car.bodyTM, Prepared(25.0f));
    EXPECT_EQ(tree.Used(), 127);
    ExpectMatrixNear(root.pose[1], planner.stepTable[11][5] * car.bodyTM);
    int k = 0;
    for (const PlanNode* n = &root; n != nullptr; n = n->child[1], ++k)
        for (const int b : {0, 1})
            EXPECT_NEAR(n->effect[b].speedCap, std::min(500.0 / (std::fabs(std::tan((k + 2 * b - 1) / (25 / 3.0 + 0.01))) + 1e-5), 1389.0), 0.05);
    const float next = Rand11();
    SharedRandom().srand(7);
    for (int i = 0; i < 254; ++i) Rand11();
    EXPECT_EQ(next, Rand11());
}

// The zones follow the best path: the root's better branch end, then that of the child it leads to.
TEST(PlanNodeTest, BestTotalSumsKeepsTheLowerCapTiesGoToBranchOneAndZonesFollowTheBestPath) {
    const auto at = [](float x) { return TransMatrix({x, 0, 0}); };
    PlanNode leaf0{{}, {{3, 1, 0, 0, 50}, {5, 2, 1, 4, 70}}, {at(3), at(4)}}, leaf1{{}, {{4, 1, 0, 0, 20}, {4, 3, 0, 0, 90}}, {at(5), at(6)}};
    PlanNode root{{&leaf0, &leaf1}, {{1, 1, 1, 1, 60}, {2, 1, 0, 0, 80}}, {at(1), at(2)}};
    ZoneEffect best;
    root.BestTotal(best);
    EXPECT_TRUE(SameEffect(root.effect[0], {6, 3, 2, 5, 60}) && SameEffect(best, root.effect[1]) && SameEffect(best, {6, 4, 0, 0, 80}));
    EXPECT_EQ(root.Steer(), 0.0f);
    root.effect[0].score = -40;
    EXPECT_EQ(root.Steer(), 1.0f);
    VehicleState car;
    LookAheadPlanner planner;
    planner.vehicle = &car;
    TrafficZone block[8];
    const struct { double root1, leaf1; float zone1, zone2; } rows[] = {{-50, 4, 1, 4}, {0, 3, 2, 5}};
    for (const auto& r : rows) {
        root.effect[1].score = r.root1, leaf1.effect[1].score = r.leaf1;
        root.WriteZones(block, 0, planner);
        EXPECT_EQ(std::make_pair(block[1].tm.GetTrans().x, block[2].tm.GetTrans().x), std::make_pair(r.zone1, r.zone2)) << r.root1;
    }
}

// Standing, each branch ends where the car stands and draws its r depth first. The rear sample mirrors
// the front one, at x = -r W: a slot 0 zone at x 0..81, y -220..-160 meets it alone, at levels 1 and 2
// only. A slot 1 strip at x 85..95, y -200..-100 meets the right rear side sample for r >= 0, and the
// rear sample on its edge from x 85 on, at levels 1 to 3. Zones hold their edges.
TEST_F(PlannerTest, FootprintSamplesMeetTheZonesOfTheirSlots) {
    zones[0].Init(TransMatrix({40.5f, -190.0f, 0.0f}), 0, 40.5f, 30.0f, 0, RuleObstacle, 0.0f);
    zones[1].Init(TransMatrix({90.0f, -150.0f, 0.0f}), 0, 5.0f, 50.0f, 1, RuleObstacle, 0.0f);
    SharedRandom().srand(9);
    const PlanNode* node = &tree.Grow(car.bodyTM, Prepared(0.0f));
    SharedRandom().srand(9);
    for (int level = 1; node != nullptr; ++level, node = node->child[0])
        for (int b = 0; const float r : {Rand11(), Rand11()}) {
            const float rear = -r * 90.0f;
            const int hits = (level <= 2 && rear >= 0.0f && rear <= 81.0f) + (level <= 3 && (r >= 0.0f || rear >= 85.0f));
            EXPECT_EQ(node->effect[b++].found, 10.0 - 100.0 * hits) << r;
        }
}

}  // namespace
