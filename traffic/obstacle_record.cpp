#include "traffic/obstacle_record.h"

#include "host/node.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/traffic_light.h"

namespace {

constexpr float kSampleStepSeconds = 0.025f;
// Not the host's 4800: the offsets 0, 525, 1155, ... are what vehicles have always planned with.
constexpr float kSampleTicksPerSecond = 4200.0f;
constexpr float kLightGreenSpeed = 1e7f;

float SlotRaise(int k) { return static_cast<float>(10 * k); }

// The zone speed of slot k at its sample time tk.
float ZoneSpeed(const ObstacleRecord& r, std::uint32_t rule, int k, TimeValue tk) {
    switch (rule) {
        case RuleSpeedLimit: {
            const float limit = static_cast<const SpeedLimiterObject*>(r.object)->GetSpeed(tk);
            return static_cast<float>(KmhToSceneSpeed(SlotRaise(k)) + static_cast<double>(limit));
        }
        case RuleStopLine: return static_cast<float>(KmhToSceneSpeed(5.0f + SlotRaise(k)));
        case RuleTrafficLight: {
            const bool green = static_cast<const TrafficLightObject*>(r.object)->IsGreen(tk);
            const float signal = kLightGreenSpeed * static_cast<float>(green ? 1 : 0);
            return static_cast<float>(KmhToSceneSpeed(SlotRaise(k)) + static_cast<double>(signal));
        }
        default: return 0.0f;
    }
}

// The rule of a control-object class, or RuleNone for any other class.
std::uint32_t RuleOf(const Class_ID& id) {
    if (id == kSpeedLimiterClassID) return RuleSpeedLimit;
    if (id == kObstacleClassID) return RuleObstacle;
    if (id == kStopLineClassID) return RuleStopLine;
    if (id == kTrafficLightClassID) return RuleTrafficLight;
    return RuleNone;
}

}  // namespace

TimeValue ZoneSampleTime(TimeValue t, int k) {
    const float sample = static_cast<float>(t) + (ZoneSlotSteps[k] * kSampleStepSeconds) * kSampleTicksPerSecond;
    // 2^31 is the first float beyond the range; nothing lies below it, as offsets are positive.
    if (sample >= 2147483648.0f) return TIME_PosInfinity;
    return static_cast<TimeValue>(sample);
}

double KmhToSceneSpeed(double kmh) { return kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0); }

void ObstacleRecord::SetNode(INode* n) {
    node = n;
    object = n != nullptr ? n->GetObjectRef() : nullptr;
    classID = object != nullptr ? object->ClassID() : Class_ID(0xFFFFFFFF, 0xFFFFFFFF);
}

void ObstacleRecord::Update(TimeValue t) {
    const std::uint32_t rule = RuleOf(classID);
    if (rule == RuleNone || node == nullptr || object == nullptr) return;
    float length = 0.0f, width = 0.0f;
    static_cast<const RectHelperObject*>(object)->GetSize(length, width);
    for (int k = 0; k < 8; ++k) {
        const TimeValue tk = ZoneSampleTime(t, k);
        zones[k].Init(node->GetObjectTM(tk), 0, width, length, k, rule, ZoneSpeed(*this, rule, k, tk));
    }
}
