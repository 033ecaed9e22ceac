// The vehicle step on a lane built from records over a flat ground, frame by frame as a run does.
#include <functional>
#include <thread>


#include "tests/vehicle/ground_meshes.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct StepTest : VehicleTest {
    // Every frame: an index of the zones the cars wrote the frame before, then a step of each car
    // on the thread of its slice.
    void Run(int frames, int threads, const std::function<void(std::vector<VehicleState>&)>& check) {
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

// Two cars off the lane centre steer back and keep to it; a third off every way stays finite.
TEST_F(StepTest, CarKeepsToItsLaneAndSpeedsUpToItsCapTimesTemper) {
    Cars({{100, 0, 0}, {-100, 40000, 0}, {5000, 0, 0}});
    cars[0].temper = cars[1].temper = 1.1f;
    Run(300, 1, [](auto& c) {
        for (int i : {0, 1}) EXPECT_LE(std::fabs(c[i].bodyTM.GetTrans().x), 200.0f - 90.0f);
    });
    EXPECT_TRUE(std::fabs(cars[0].bodyTM.GetTrans().x) < 30.0f && std::fabs(cars[1].bodyTM.GetTrans().x) < 30.0f);
    EXPECT_NEAR(cars[0].speed, 1389.0f * 1.1f, 30.0f);
    for (int r = 0; r < 4; ++r) EXPECT_TRUE(std::isfinite(Length(cars[2].bodyTM.GetRow(r))));
    EXPECT_TRUE(std::isfinite(cars[2].speed) && std::isfinite(cars[2].steer));
}

// Eager cars behind slow ones in one lane, eight threads: none ever runs into the one ahead. Each
// writes its zones in its first step and never skips two rewrites running.
TEST_F(StepTest, CarsInOneLaneNeverOverlapOnEightThreads) {
    Cars({{0, 0, 0}, {0, 1000, 0}, {0, 2000, 0}, {0, 3000, 0}, {0, 4000, 0}, {0, 5000, 0}, {0, 6000, 0}, {0, 7000, 0}});
    for (std::size_t i = 0; i < cars.size(); ++i) cars[i].temper = i % 2 ? 0.8f : 1.2f;
    std::vector<int> skipped(cars.size(), 1);
    Run(200, 8, [&skipped](auto& c) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            EXPECT_GE(i ? Length(c[i].bodyTM.GetTrans() - c[i - 1].bodyTM.GetTrans()) : 400.0f, 400.0f);
            EXPECT_FALSE(skipped[i] && c[i].zonesWritten == 0) << i;
            skipped[i] = c[i].zonesWritten == 0;
        }
    });
}

// One step of a standing car 1 m right of its lane's centre. While a stop runs it brakes, keeps the
// zones of plan A (steps of 0) where it stands and does not steer. Else it speeds up by a fifth of
// its rate for 0.033 s, its zones follow plan B (steps of 8 cm; of 2.4 cm backwards when reversing),
// the last one 63 steps on, and it steers by plan A's spacing (0.3 x 0.01) x 5 at most, saturated
// towards the centre going forward. Only a car under 6 m from its stop looks for a way forward.
TEST_F(StepTest, OneStepOfAStandingCar) {
    const struct { std::int32_t type; double stopTimer, travelled; std::uint8_t reverse; float speed, ahead, steerRate, tol; } rows[] = {
        {0, 1.0, 100.0, 0, 0.0f, 0.0f, 0.0f, 0.0f}, {0, -1.0, 100.0, 0, 1.98f, 504.0f, -0.015f, 1e-6f},
        {0, -1.0, 100.0, 1, -1.98f, -151.2f, 0.0f, 0.015f}, {1, -1.0, 0.0, 1, -1.98f, -151.2f, 0.0f, 0.015f},
        {0, -1.0, 0.0, 1, 1.98f, -151.2f, 0.0f, 0.015f}};
    for (const auto& r : rows) {
        Cars({{100, 0, 0}});
        VehicleState& c = cars[0];
        c.type = r.type, c.stopTimer = r.stopTimer, c.travelled = r.travelled, c.reverse = r.reverse;
        Run(1, 1, [](auto&) {});
        EXPECT_NEAR(c.speed, r.speed, 1e-5f) << r.type << r.travelled << r.reverse;
        EXPECT_NEAR(c.zones[7].tm.GetTrans().y, r.ahead, 0.05f * std::fabs(r.ahead) + 0.01f) << r.ahead;
        EXPECT_NEAR(c.steerRate, r.steerRate, r.tol) << r.ahead;
    }
}

// A stop whose timer runs out exactly on 0 ends as any other: the car drives off.
TEST_F(StepTest, CarDrivesOffAfterAStopEndingOnZero) {
    Cars({{0, 0, 0}});
    cars[0].stopTimer = 0.033f, cars[0].travelled = 0.0;
    Run(60, 1, [](auto&) {});
    EXPECT_TRUE(cars[0].speed > 300.0f && cars[0].bodyTM.GetTrans().y > 200.0f) << cars[0].speed;
}

}  // namespace
