#include <tuple>
#include <utility>

#include "tests/vehicle/ground_meshes.h"
#include "tests/vehicle/vehicle_support.h"
#include "vehicle/spring_limits.h"

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

class VehicleDynamics : public OneVehicleTest {
protected:
    // The block's default car at rest at the origin on the ground, facing +Y; wheelbase 140.
    VehicleState& DefaultCar(float rigidity = 300.0f) {
        vehicle->GetParamBlock(0)->SetValue(kVehicleRigidity, 0, rigidity);
        vehicle->UpdateSimParams();
        s.Reset();
        return s;
    }
    static inline SurfaceOctree flat = Ground(0);
};

TEST_F(VehicleDynamics, BrakingStopsAtZeroAndReverseAcceleratesBackwards) {
    const struct { float speed, accel; bool reverse; float expected; } rows[] = {
        {1, -3 / kDt, false, 0}, {-1, -3 / kDt, false, 0}, {5, -1 / kDt, false, 4},
        {-5, -1 / kDt, false, -4}, {2, 1 / kDt, true, 1}, {2, 1 / kDt, false, 3}};
    for (const auto& r : rows) {
        DefaultCar().speed = r.speed, s.accel = r.accel, s.reverse = r.reverse;
        s.Integrate(kDt, flat);
        EXPECT_NEAR(s.speed, r.expected, 1e-4f) << r.speed << " " << r.accel;
    }
}

// Straight, the body follows the chassis; steered right and speeding up, it rolls left, pitches back.
TEST_F(VehicleDynamics, BicycleStepSpinLoadsAndSteering) {
    DefaultCar().speed = 1000;
    s.phase = 6.282;
    s.Integrate(kDt, flat);
    EXPECT_TRUE(s.springTM == TransMatrix({0, 33, 0}) && std::fabs(s.phase - 0.00211452) < 1e-7) << s.phase;
    DefaultCar().speed = 1000;
    s.accel = 100 / kDt;
    s.steer = 0.2f;
    for (float& h : s.steerHistory) h = 0.2f;
    s.Integrate(kDt, flat);
    const float yaw = 0.0477817f;  // 33 / 140 tan(0.2): the step over the wheelbase
    ExpectMatrixNear(s.bodyTM, RotateZMatrix(-yaw) * TransMatrix({53 * std::sin(yaw), 53 * std::cos(yaw) - 20, 0}));
    EXPECT_FLOAT_EQ(s.spin[0], 33.0f / 30.0f / std::cos(0.2f));
    EXPECT_FLOAT_EQ(s.spin[1], 33.0f / 32.0f);
    // (100, -1000 yaw) 72.5 / (230², 90²) 0.13 (c + ... + c^10), c = 1 - 0.033 sqrt(300) 0.06
    ExpectMatrixNear(TransMatrix(s.bodyRate), TransMatrix({0.147792f, -0.461193f, 0}), 1e-5f);
    DefaultCar().steer = 0.9f;
    s.steerRate = 1 / kDt;
    s.Integrate(kDt, flat);
    EXPECT_EQ(std::make_tuple(s.steer, s.steerHistory[0], s.steerAvg), std::make_tuple(1.0f, 1.9f, 0.25f * 1.9f));
    DefaultCar().axleCount = 0, s.speed = 100;
    s.Integrate(kDt, flat);
    EXPECT_EQ(s.bodyTM, Matrix3());
}

// Ground flat, raised 20, off the mesh, and under the right tyres' outer samples (0.7 width out).
TEST_F(VehicleDynamics, GroundContact) {
    SurfaceOctree raised = Ground(20), beside, above;
    ASSERT_TRUE(beside.BuildFromMesh(FlatGrid(1, 400), TransMatrix({82, -200, -60})));
    ASSERT_TRUE(above.BuildFromMesh(FlatGrid(1, 400), TransMatrix({-200, -200, 1000})));
    const std::tuple<SurfaceOctree*, float, float> rows[] = {{&flat, 0, 0}, {&raised, 20, 20}, {&beside, -145, -60}, {&above, -145, -145}};
    for (const auto& [ground, left, right] : rows) {
        DefaultCar().GroundContact(*ground);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(s.suspension[i], i % 2 ? right : left, 1e-2f) << left << " wheel " << i;
    }
}

// Lifted 10 the body settles within 0.1 in 300 steps however stiff; after a hole it comes back.
TEST_F(VehicleDynamics, TheBodyStaysOnTheGround) {
    EXPECT_NEAR(RigidityCap(kDt), 3080.63, 0.01);
    for (const float rigidity : {300.0f, 1e6f}) {
        DefaultCar(rigidity).springTM.SetTrans({0, 0, 10});
        float swing = 0.0f;
        for (int step = 0; step < 400; ++step) {
            s.Integrate(kDt, flat);
            if (step >= 300) swing = std::max(swing, std::fabs(Offset(s)));
        }
        EXPECT_TRUE(swing < 0.1f && std::isfinite(Offset(s))) << rigidity << " swings " << swing;
    }
    SurfaceOctree none;
    DefaultCar();
    for (int step = 0; step < 3; ++step) s.Integrate(kDt, none);
    EXPECT_GE(Offset(s), -s.height);
    for (int step = 0; step < 600; ++step) s.Integrate(kDt, flat);
    EXPECT_NEAR(Offset(s), 0.0f, 0.05f);
    for (const float lift : s.suspension) EXPECT_NEAR(lift, 0.0f, 0.05f);
}

// A stop starts from 50 m on recent shares above 0.9, or middling ones falling or while crawling.
TEST_F(VehicleDynamics, StopDecisions) {
    const float crawl = static_cast<float>(1.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
    const struct { const char* name; double travelled; float recent, older, speed; bool expected; } rows[] = {
        {"too soon", 49.9, 1, 0, 0, false},     {"high, at 50 m", 50, 0.95f, 0, 500, true},
        {"low", 60, 0.5f, 1, 0, false},         {"falling", 60, 0.7f, 0.8f, 500, true},
        {"middling, crawling", 60, 0.7f, 0, crawl, true}, {"middling, driving", 60, 0.7f, 0, 500, false},
        {"middling, backing", 60, 0.7f, 0, -500, true},   {"middling, as before", 60, 0.75f, 0.75f, 500, false}};
    for (const auto& r : rows) {
        DefaultCar().travelled = r.travelled;
        s.speed = r.speed;
        for (int k = 0; k < 40; ++k) s.stopShare[k] = k < 20 ? r.recent : r.older;
        s.stopShare[0] = r.recent + 0.5f, s.stopShare[1] = r.recent - 0.5f;
        EXPECT_EQ(s.AtStopPlace(), r.expected) << r.name;
        EXPECT_EQ(s.stopShare[2], r.recent - 0.5f) << r.name << ": the history moved one place";
    }
    DefaultCar().speed = 500;
    for (int k = 0; k < 18; ++k) s.stopShare[k] = 1;
    EXPECT_FALSE(s.AtStopPlace()) << "recent shares of exactly 0.9 are not high";
    for (int k = 0; k < 20; ++k) s.stopShare[k] = -1;
    EXPECT_EQ(s.StopShare(), 0.0f) << "never below 0";
}

// A stop's timer is 0.5 to 1.5 stop times; a car backs out when it reaches exactly 0, a bus not.
TEST_F(VehicleDynamics, StopTimer) {
    DefaultCar().travelled = 60;
    for (float& share : s.stopShare) share = 1;
    s.Integrate(kDt, flat);
    EXPECT_TRUE(s.stopTimer >= 5.0 && s.stopTimer <= 15.0 && s.travelled == 0.0) << s.stopTimer << ", " << s.travelled;
    for (const int type : {0, 1}) {
        DefaultCar().type = type;
        s.stopTimer = kDt;
        s.Integrate(kDt, flat);
        EXPECT_EQ(s.reverse, type == 0 ? 1 : 0) << type;
    }
}

}  // namespace
