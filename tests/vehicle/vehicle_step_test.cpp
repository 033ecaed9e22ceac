// The vehicle step on a lane built from records over a flat ground.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/vehicle/ground_meshes.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct StepTest : VehicleTest {
    void SetUp() override {
        VehicleTest::SetUp();
        ground.BuildFromMesh(FlatGrid(8, 200000.0f), TransMatrix({-100000.0f, -50000.0f, 0.0f}));
    }
    // Steps every car once per frame against the zones the cars wrote the frame before.
    void Run(std::vector<VehicleState>& cars, int frames, int threads = 1) {
        std::vector<const TrafficZone*> blocks;
        for (VehicleState& c : cars) blocks.push_back(c.zones);
        ZoneIndex index;  // a car alone meets no zone: one build will do
        for (int f = 0; f < frames; ++f) {
            if (f == 0 || cars.size() > 1) index.Build(blocks.data(), static_cast<std::int32_t>(blocks.size()));
            std::vector<std::thread> workers;
            for (int t = 0; t < threads; ++t)
                workers.emplace_back([&, t] {
                    for (std::size_t i = t; i < cars.size(); i += threads) cars[i].Step(0.033f, *lanes, index, ground);
                });
            for (std::thread& w : workers) w.join();
            after(cars);
        }
    }
    std::vector<VehicleState> Cars(std::vector<Point3> at) {
        std::vector<VehicleState> cars(at.size());
        for (std::size_t i = 0; i < at.size(); ++i) MakeCar(cars[i]), cars[i].ResetAt(TransMatrix(at[i]), 0);
        return cars;
    }
    std::unique_ptr<LaneNetwork> lanes = NorthLane();
    SurfaceOctree ground;
    std::function<void(std::vector<VehicleState>&)> after = [](auto&) {};
};

TEST_F(StepTest, CarStaysOnItsLaneAndSpeedsUpToItsCapTimesTemper) {
    std::vector<VehicleState> cars = Cars({{50, 0, 0}});
    cars[0].temper = 1.1f;
    after = [](auto& c) { EXPECT_LT(std::fabs(c[0].bodyTM.GetTrans().x), 200.0f - 90.0f); };
    Run(cars, 300);
    EXPECT_NEAR(cars[0].speed, 1389.0f * 1.1f, 30.0f);
}

TEST_F(StepTest, TwoCarsInOneLaneNeverOverlap) {
    std::vector<VehicleState> cars = Cars({{0, 0, 0}, {0, 1000, 0}});
    cars[0].temper = 1.2f, cars[1].temper = 0.8f;
    after = [](auto& c) { EXPECT_GE(Length(c[0].bodyTM.GetTrans() - c[1].bodyTM.GetTrans()), 400.0f); };
    Run(cars, 300);
}

TEST_F(StepTest, CarOffEveryWayStaysFinite) {
    std::vector<VehicleState> cars = Cars({{5000, 0, 0}});
    Run(cars, 300);
    for (int r = 0; r < 4; ++r) EXPECT_TRUE(std::isfinite(Length(cars[0].bodyTM.GetRow(r))));
    EXPECT_TRUE(std::isfinite(cars[0].speed) && std::isfinite(cars[0].steer));
}

TEST_F(StepTest, EightThreadsStepDisjointSlices) {
    std::vector<Point3> at;
    for (int i = 0; i < 16; ++i) at.push_back({0.0f, 1500.0f * i, 0.0f});
    std::vector<VehicleState> cars = Cars(at);
    Run(cars, 20, 8);
    for (const VehicleState& c : cars) EXPECT_GT(c.speed, 0.0f);
}

}  // namespace
