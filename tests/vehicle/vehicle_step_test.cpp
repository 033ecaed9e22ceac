// The vehicle step on a lane built from records over a flat ground, frame by frame as a run does.
#include <thread>
#include <utility>

#include "tests/vehicle/ground_meshes.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct StepTest : VehicleTest {
    // Every frame: an index of the zones the cars wrote the frame before, then a step of each car
    // on the thread of its slice.
    template <class Check>
    void Run(int frames, int threads, Check check) {
        SurfaceOctree ground;
        ground.BuildFromMesh(FlatGrid(8, 200000.0f), TransMatrix({-100000.0f, -50000.0f, 0.0f}));
        std::vector<const TrafficZone*> blocks;
        for (VehicleState& c : cars) blocks.push_back(c.zones);
        for (int f = 0; f < frames; ++f) {
            ZoneIndex index;
            index.Build(blocks.data(), static_cast<std::int32_t>(blocks.size()));
            std::vector<std::thread> workers;
            for (std::size_t t = 0; t < static_cast<std::size_t>(threads); ++t)
                workers.emplace_back([&, t] {
                    for (std::size_t i = t * cars.size() / threads; i < (t + 1) * cars.size() / threads; ++i)
                        cars[i].Step(0.033f, *lanes, index, ground);
                });
            for (std::thread& w : workers) w.join();
            check(cars);
        }
    }
    void Cars(std::initializer_list<Point3> at) {
        cars = std::vector<VehicleState>(at.size());
        for (std::size_t i = 0; i < at.size(); ++i) MakeCar(cars[i]).ResetAt(TransMatrix(at.begin()[i]), 0);
    }
    std::unique_ptr<LaneNetwork> lanes = NorthLane();
    std::vector<VehicleState> cars;
};

// Cars off the lane centre keep to it and reach cap x temper, one step's gain over at most; one off every way stays finite.
TEST_F(StepTest, CarKeepsToItsLaneAndSpeedsUpToItsCapTimesTemper) {
    Cars({{100, 0, 0}, {-100, 40000, 0}, {5000, 0, 0}});
    float cap = 1389.0f * (cars[0].temper = cars[1].temper = 1.1f), top = 0.0f, before = cars[0].speed = cars[1].speed = 1300.0f;
    Run(60, 1, [&](auto& c) {
        for (int i : {0, 1}) EXPECT_TRUE(std::fabs(c[i].bodyTM.GetTrans().x) <= 200.0f - 90.0f && c[i].speed < cap + 15.0f);
        EXPECT_TRUE(!c[0].zonesWritten || std::fabs(c[0].zones[7].hy - 200.0f - 0.1f * before) < 0.01f) << before;
        top = std::max(top, before = c[0].speed);
    });
    EXPECT_TRUE(std::fabs(cars[0].bodyTM.GetTrans().x) < 30.0f && std::fabs(cars[1].bodyTM.GetTrans().x) < 30.0f);
    EXPECT_TRUE(std::fabs(top - cap) < 15.0f && std::isfinite(cars[2].speed + cars[2].steer + Length(cars[2].bodyTM.GetTrans()))) << top;
}

// Eager cars at 12 m/s 6 m behind slow ones at 6 m/s in one lane, eight threads: none ever runs into
// the one ahead. Each writes its zones in its first step and never skips two rewrites running.
TEST_F(StepTest, CarsInOneLaneNeverOverlapOnEightThreads) {
    Cars({{0, 0, 0}, {0, 1000, 0}, {0, 2000, 0}, {0, 3000, 0}, {0, 4000, 0}, {0, 5000, 0}, {0, 6000, 0}, {0, 7000, 0}});
    for (std::size_t i = 0; i < cars.size(); ++i) cars[i].temper = i % 2 ? 0.8f : 1.2f, cars[i].speed = i % 2 ? 600.0f : 1200.0f;
    std::vector<int> skips(cars.size(), 1);  // a fresh car counts as skipped
    Run(50, 8, [&skips](auto& c) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            EXPECT_GE(i ? Length(c[i].bodyTM.GetTrans() - c[i - 1].bodyTM.GetTrans()) : 400.0f, 400.0f);
            EXPECT_LT(std::exchange(skips[i], 1 - c[i].zonesWritten) + skips[i], 2) << i;
        }
    });
}

// A standing car 1 m right of its lane's centre: in a stop it brakes, keeps plan A's zones where it
// stands and does not steer; at 10 cm/s it brakes by a fifth of its speed plus its rate times temper,
// over 0.033 s. Else it gains a fifth of its rate times temper in 0.033 s, its zones follow plan B
// (63 steps of 8 cm; of 2.4 cm back when reversing) and it steers by plan A's spacing, 0.3 x 0.01 x 5
// at most. Only a car under 6 m from its stop checks the way forward. A stop ending on 0 ends too.
TEST_F(StepTest, OneStepOfAStandingCarAndTheEndOfAStop) {
    const struct { std::int32_t type; double stopTimer, travelled; std::uint8_t reverse; float speed, ahead, steerRate, tol, from = 0.0f; } rows[] = {
        {0, 1.0, 100.0, 0, 0.0f, 0.0f, 0.0f, 0.0f}, {0, 1.0, 100.0, 0, 7.756f, 15.75f, 0.0f, 0.0f, 10.0f},
        {0, -1.0, 100.0, 0, 2.178f, 504.0f, -0.015f, 1e-6f},
        {0, -1.0, 100.0, 1, -2.178f, -151.2f, 0.0f, 0.015f}, {1, -1.0, 0.0, 1, -2.178f, -151.2f, 0.0f, 0.015f},
        {0, -1.0, 0.0, 1, 2.178f, -151.2f, 0.0f, 0.015f}, {0, 0.033f, 0.0, 0, 0.0f, 0.0f, 0.0f, 0.0f}};
    for (const auto& r : rows) {
        Cars({{100, 0, 0}});
        VehicleState& c = cars[0];
        c.type = r.type, c.stopTimer = r.stopTimer, c.travelled = r.travelled, c.reverse = r.reverse, c.temper = 1.1f, c.speed = r.from;
        Run(1, 1, [](auto&) {});
        EXPECT_TRUE(std::fabs(c.speed - r.speed) < 1e-5f && std::fabs(c.steerRate - r.steerRate) <= r.tol) << c.steerRate;
        EXPECT_NEAR(c.zones[7].tm.GetTrans().y, r.ahead, 0.05f * std::fabs(r.ahead) + 0.01f) << r.ahead;
    }
    Run(60, 1, [](auto&) {});
    EXPECT_TRUE(cars[0].speed > 300.0f && cars[0].bodyTM.GetTrans().y > 200.0f) << cars[0].speed;
}

}  // namespace
