#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "common/random_access.h"
#include "tests/vehicle/ground_meshes.h"
#include "vehicle/spring_limits.h"
#include "vehicle/vehicle_state.h"

namespace {

constexpr float kDt = 0.033f;

// A flat square of 100 m a side at height z, centred on the origin.
SurfaceOctree Ground(float z) {
    SurfaceOctree ground;
    EXPECT_TRUE(ground.BuildFromMesh(FlatGrid(4, 10000), TransMatrix({-5000, -5000, z})));
    return ground;
}

float Offset(const VehicleState& car) {
    return DotProd(car.springTM.GetTrans() - car.bodyTM.GetTrans(), car.springTM.GetRow(2));
}

class VehicleDynamics : public ::testing::Test {
protected:
    void SetUp() override { SetSceneUnitMetres(0.01); }
    // The block's default car standing at the origin on the ground, facing +Y.
    VehicleState& DefaultCar(float rigidity = 300.0f) {
        car.Reset();
        car.halfLength = 230;
        car.halfWidth = 90;
        car.height = 145;
        car.rigidity = rigidity;
        car.stopTime = 10;
        car.axleCount = 2;
        car.wheelPos[0] = {75, 140, 30};
        car.wheelPos[1] = {75, -140, 30};
        car.wheelSize[0] = car.wheelSize[1] = {20, 30, 0};
        car.UpdateAxles();
        return car;
    }
    static inline SurfaceOctree flat = Ground(0);
    VehicleState car;
};

TEST_F(VehicleDynamics, BrakingStopsAtZeroAndReverseAcceleratesBackwards) {
    const struct { float speed, accel; bool reverse; float expected; } rows[] = {
        {1, -3 / kDt, false, 0}, {-1, -3 / kDt, false, 0}, {5, -1 / kDt, false, 4},
        {-5, -1 / kDt, false, -4}, {2, 1 / kDt, true, 1}, {2, 1 / kDt, false, 3}};
    for (const auto& r : rows) {
        DefaultCar().speed = r.speed;
        car.accel = r.accel;
        car.reverse = r.reverse;
        car.Integrate(kDt, flat);
        EXPECT_NEAR(car.speed, r.expected, 1e-4f) << r.speed << " " << r.accel;
    }
}

// The pivot travels the step along the new heading; steer turns right; history keeps it unclamped.
TEST_F(VehicleDynamics, BicycleStepSpinAndSteering) {
    DefaultCar().speed = 1000;
    car.Integrate(kDt, flat);
    EXPECT_EQ(car.bodyTM.GetTrans(), Point3(0, 33, 0));
    DefaultCar().speed = 1000;
    car.steer = 0.2f;
    for (float& h : car.steerHistory) h = 0.2f;
    const Point3 pivot = car.bodyTM.GetTrans() + car.bodyTM.GetRow(1) * car.pivot;
    car.Integrate(kDt, flat);
    const Point3 forward = car.bodyTM.GetRow(1);
    EXPECT_NEAR(forward.x, std::sin(33.0f / car.wheelbase * std::tan(0.2f)), 1e-6f);
    const Point3 moved = car.bodyTM.GetTrans() + forward * car.pivot - pivot;
    EXPECT_NEAR(Length(moved - forward * 33.0f), 0.0f, 1e-4f);
    EXPECT_FLOAT_EQ(car.spin[0], 33.0f / 30.0f / std::cos(0.2f));
    EXPECT_FLOAT_EQ(car.spin[1], 33.0f / 30.0f);
    DefaultCar().steer = 0.9f;
    car.steerRate = 1 / kDt;
    car.Integrate(kDt, flat);
    EXPECT_EQ(std::make_tuple(car.steer, car.steerHistory[0], car.steerAvg), std::make_tuple(1.0f, 1.9f, 0.25f * 1.9f));
    DefaultCar().axleCount = 0;
    car.speed = 100;
    car.Integrate(kDt, flat);
    EXPECT_EQ(car.bodyTM, Matrix3());
}

// Wheels rest on flat ground, sit 20 low on ground raised 20, and hang at -height off the mesh.
TEST_F(VehicleDynamics, GroundContact) {
    SurfaceOctree raised = Ground(20), beside, above;
    ASSERT_TRUE(beside.BuildFromMesh(FlatGrid(1, 100), TransMatrix({2000, 0, -60})));
    ASSERT_TRUE(above.BuildFromMesh(FlatGrid(1, 400), TransMatrix({-200, -200, 1000})));
    const std::pair<SurfaceOctree*, float> rows[] = {{&flat, 0}, {&raised, 20}, {&beside, -145}, {&above, -145}};
    for (const auto& [ground, expected] : rows) {
        DefaultCar().GroundContact(*ground);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(car.suspension[i], expected, 1e-2f) << expected << " wheel " << i;
    }
}

// Lifted 10 the body settles within 0.1 in 300 steps however stiff; after a hole it comes back.
TEST_F(VehicleDynamics, TheBodyStaysOnTheGround) {
    EXPECT_NEAR(RigidityCap(kDt), 3080.63, 0.01);
    for (const float rigidity : {300.0f, 1e6f}) {
        DefaultCar(rigidity).springTM.SetTrans({0, 0, 10});
        float swing = 0.0f;
        for (int step = 0; step < 400; ++step) {
            car.Integrate(kDt, flat);
            if (step >= 300) swing = std::max(swing, std::fabs(Offset(car)));
        }
        EXPECT_TRUE(swing < 0.1f && std::isfinite(Offset(car))) << rigidity << " swings " << swing;
    }
    SurfaceOctree none;
    DefaultCar();
    for (int step = 0; step < 3; ++step) car.Integrate(kDt, none);
    EXPECT_GE(Offset(car), -car.height);
    for (int step = 0; step < 600; ++step) car.Integrate(kDt, flat);
    EXPECT_NEAR(Offset(car), 0.0f, 0.05f);
    for (float s : car.suspension) EXPECT_NEAR(s, 0.0f, 0.05f);
}

// A stop starts after 50 m on high recent shares, or middling ones falling or while crawling.
TEST_F(VehicleDynamics, StopDecisions) {
    const float crawl = static_cast<float>(1.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
    const struct { const char* name; double travelled; float recent, older, speed; bool expected; } rows[] = {
        {"too soon", 49, 1, 0, 0, false},       {"high", 60, 0.95f, 0, 500, true},
        {"low", 60, 0.5f, 1, 0, false},         {"falling", 60, 0.7f, 0.8f, 500, true},
        {"middling, crawling", 60, 0.7f, 0, crawl, true}, {"middling, driving", 60, 0.7f, 0, 500, false},
        {"middling, backing", 60, 0.7f, 0, -500, true}};
    for (const auto& r : rows) {
        DefaultCar().travelled = r.travelled;
        car.speed = r.speed;
        for (int k = 0; k < 40; ++k) car.stopShare[k] = k < 20 ? r.recent : r.older;
        car.stopShare[0] = r.recent + 0.5f;
        car.stopShare[1] = r.recent - 0.5f;
        EXPECT_EQ(car.AtStopPlace(), r.expected) << r.name;
        EXPECT_EQ(car.stopShare[2], r.recent - 0.5f) << r.name << ": the history moved one place";
    }
    DefaultCar();
    for (int k = 0; k < 20; ++k) car.stopShare[k] = -1;
    EXPECT_EQ(car.StopShare(), 0.0f) << "never below 0";
}

// A stop's timer is 0.5 to 1.5 stop times; a car backs out when it reaches exactly 0, a bus not.
TEST_F(VehicleDynamics, StopTimer) {
    DefaultCar().travelled = 60;
    for (float& s : car.stopShare) s = 1;
    car.Integrate(kDt, flat);
    EXPECT_TRUE(car.stopTimer >= 5.0 && car.stopTimer <= 15.0) << car.stopTimer;
    EXPECT_EQ(car.travelled, 0.0);
    for (const int type : {0, 1}) {
        DefaultCar().type = type;
        car.stopTimer = kDt;
        car.Integrate(kDt, flat);
        EXPECT_EQ(car.reverse, type == 0 ? 1 : 0) << type;
    }
}

}  // namespace
