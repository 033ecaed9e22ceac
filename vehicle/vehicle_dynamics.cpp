// One step of a vehicle's motion: steering, the bicycle model about the rear pivot, wheel spin,
// speed, the sprung body, ground contact, the wander phase and the stop cycle.
#include <algorithm>
#include <cmath>

#include "common/random_access.h"
#include "common/scalar.h"
#include "host/time.h"
#include "vehicle/spring_limits.h"
#include "vehicle/vehicle_state.h"

namespace {
constexpr double kTwoPi = 6.2831854820251465;

// Braking moves the speed towards 0 and stops there; it never turns the vehicle round.
float NextSpeed(float speed, float dv, bool reverse) {
    if (dv > 0.0f) return reverse ? speed - dv : speed + dv;
    if (-dv > std::fabs(speed)) return 0.0f;
    return speed + Sign(speed) * dv;
}
}  // namespace

void VehicleState::Integrate(float dt, SurfaceOctree& ground) {
    // The wheelbase and the wheel radii divide below.
    if (!IsDrivable()) return;
    steer += steerRate * dt;
    for (int k = 3; k > 0; --k) steerHistory[k] = steerHistory[k - 1];
    steerHistory[0] = steer;
    steerAvg = 0.25f * (steerHistory[0] + steerHistory[1] + steerHistory[2] + steerHistory[3]);
    steer = std::clamp(steer, -1.0f, 1.0f);

    const float d = dt * speed;
    const Point3 pivotPoint = bodyTM.GetTrans() + bodyTM.GetRow(1) * pivot;
    const float yaw = (-d / wheelbase) * std::tan(steerAvg);
    bodyTM.SetTrans(pivotPoint);
    bodyTM = RotateZMatrix(yaw) * bodyTM;
    bodyTM.SetTrans(pivotPoint + bodyTM.GetRow(1) * (d - pivot));

    spin[0] += (d / wheelSize[0].y) / std::cos(steerAvg);
    spin[1] += d / wheelSize[1].y;

    const float v = NextSpeed(speed, accel * dt, reverse != 0);
    Point3 load((v - speed) / dt * height * 0.5f, speed * yaw / dt * height * 0.5f, 0.0f);
    speed = v;
    AlignBody();

    const float k = static_cast<float>(std::min<double>(rigidity, RigidityCap(dt)));
    const int wheels = 2 * axleCount;
    for (int i = 0; i < wheels; ++i) {
        Point3 w = wheelPos[i / 2];
        if (i % 2 == 0) w.x = -w.x;
        load += Point3(w.y, -w.x, 1.0f) * suspension[i] * k / static_cast<float>(wheels);
    }
    const Point3 push(load.x / Sqr(halfLength), load.y / Sqr(halfWidth), load.z);
    for (int i = 0; i < 10; ++i) {
        bodyRate += push * dt * 0.13f;
        bodyRate -= bodyRate * dt * std::sqrt(k) * 0.06f;
    }
    Matrix3 r;
    r.RotateX(bodyRate.x * dt);
    r.RotateY(bodyRate.y * dt);
    r.SetTrans(r.GetRow(2) * bodyRate.z * dt);
    springTM = r * springTM;
    LimitSpringOffset(*this);
    GroundContact(ground);

    phase += d * GetMasterScale(UNITS_METERS) * 0.01;
    if (phase > kTwoPi) phase -= kTwoPi;
    wander = std::sqrt(std::sin(static_cast<float>(phase)) * 0.5f + 0.5f);

    if (stopTimer > 0.0) {
        stopTimer -= dt;
        // A timer that lands exactly on 0 has ended too; an ended stop stays below 0, where the
        // step drives again.
        if (stopTimer <= 0.0) {
            stopTimer = -1.0;
            if (type == 0) reverse = 1;
        }
    }
    travelled += d * GetMasterScale(UNITS_METERS);
    if (AtStopPlace()) {
        stopTimer = stopTime * (Rand01() + 0.5);
        travelled = 0.0;
    }
}
