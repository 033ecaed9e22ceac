#include "vehicle/vehicle_state.h"

#include <algorithm>
#include <cmath>

#include "common/box_helpers.h"
#include "common/random_access.h"
#include "common/tracing.h"
#include "vehicle/part_transform.h"

VehicleState::VehicleState() {
    for (int k = 0; k < 8; ++k) zones[k].Init(Matrix3(), OwnerTag(), 1.0f, 1.0f, k, RuleNone, 0.0f);
    Reset();
}

void VehicleState::Reset() { ResetAt(Matrix3(), 0); }

void VehicleState::ResetAt(const Matrix3& tm, std::int32_t t) {
    VehicleSnapshot& motion = *this;
    motion = VehicleSnapshot{};
    bodyTM = springTM = tm;
    time = t;
    phase = Rand01() * 3.1415927 * 2.0;
}

void VehicleState::UpdateAxles() {
    pivot = axleCount != 2 ? (wheelPos[1].y + wheelPos[2].y) * 0.5f : wheelPos[1].y;
    wheelbase = wheelPos[0].y - pivot;
}

bool VehicleState::GetPartTM(Matrix3& out, int part, std::int32_t t) const {
    if (!IsVehiclePart(part)) return false;
    if (IsTracing()) {
        if (part == 0) {
            out = springTM;
            return true;
        }
        const int wheel = part - 1;
        out = WheelInBody(wheelPos, wheel, spin[std::min(wheel / 2, 1)], steerAvg, suspension[wheel]) * springTM;
        return true;
    }
    if (HasRecord()) return record.Evaluate(out, *this, part, t);
    out = part == 0 ? Matrix3() : WheelInBody(wheelPos, part - 1, 0.0f, 0.0f, 0.0f);
    return true;
}

void VehicleState::AddPlanToBox(Box3& box) const {
    for (int k = 1; k < 8; ++k) box += zones[k].tm.GetTrans();
}

bool VehicleState::IsDrivable() const {
    if (axleCount != 2 && axleCount != 3) return false;
    if (!(wheelbase > 0.0f) || !std::isfinite(wheelbase)) return false;
    for (int a = 0; a < axleCount; ++a) {
        const Point3& p = wheelPos[a];
        if (!IsFinite(p)) return false;
        if (!(wheelSize[a].y > 0.0f) || !std::isfinite(wheelSize[a].y)) return false;
    }
    return true;
}
