// Control objects sampled into eight slot zones: sample times, each class's rule and speed, others.
#include <climits>
#include <cmath>
#include <cstring>

#include "host/spline_shape.h"
#include "traffic/obstacle.h"
#include "traffic/obstacle_record.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic_light_support.h"

namespace {

class ObstacleRecordTest : public SceneTest {
protected:
    // A new object of the class, half width 2 and length 5, on a node that moves one unit along X
    // per tick; a light red in slot 0 only, a limiter keyed from 30 km/h at 0 to 60 at 5880 ticks.
    static ObstacleRecord Record(ClassDesc* desc) {
        auto* obj = static_cast<Object*>(desc->Create(FALSE));
        IParamBlock2* block = obj->GetParamBlock(0);
        INode* node = Place(obj);
        auto* control = static_cast<TransformControl*>(node->GetTMController());
        control->SetKey(0, Matrix3());
        control->SetKey(100000, TransMatrix({100000, 0, 0}));
        block->SetValue(0, 0, 2.0f);
        block->SetValue(1, 0, 5.0f);
        if (desc == GetTrafficLightDesc()) SetDiagram(block, "RGGGGGGGGGGGGGGGGGGGGGGG");
        if (desc == GetSpeedLimiterDesc())
            block->SetKey(kSpeedLimiterSpeedParam, 0, 30.0), block->SetKey(kSpeedLimiterSpeedParam, 5880, 60.0);
        ObstacleRecord record;
        record.SetNode(node);
        return record;
    }
};

constexpr double kGreen = 1e7 * 7.2;  // a green light's raw 1e7 after the km/h conversion below
const struct {
    ClassDesc* (*desc)();
    std::uint32_t rule;
    double kmh[8];  // the zone speed of each slot in km/h
} kClasses[] = {
    {GetSpeedLimiterDesc, RuleSpeedLimit,
     {30, 10 + 30 + 30 * 525 / 5880.0, 20 + 30 + 30 * 1155 / 5880.0, 30 + 30 + 30 * 1890 / 5880.0,
      40 + 30 + 30 * 2730 / 5880.0, 50 + 30 + 30 * 3675 / 5880.0, 60 + 30 + 30 * 4725 / 5880.0, 70 + 60}},
    {GetObstacleDesc, RuleObstacle, {0, 0, 0, 0, 0, 0, 0, 0}},
    {GetStopLineDesc, RuleStopLine, {5, 15, 25, 35, 45, 55, 65, 75}},
    // Sampled from 1000: red until 2000.
    {GetTrafficLightDesc, RuleTrafficLight, {0, 10, kGreen + 20, kGreen + 30, kGreen + 40, kGreen + 50, kGreen + 60, kGreen + 70}},
};

// Eight samples 105 ticks apart within the tick range; at 1 unit = 2 m, v km/h is v / 7.2 units/s.
TEST_F(ObstacleRecordTest, SampleTimesRulesAndSpeedsOfEachClassOthersKeepTheirZones) {
    SetSceneUnitMetres(2.0);
    const int offsets[8] = {0, 525, 1155, 1890, 2730, 3675, 4725, 5880};
    for (const auto& row : kClasses) {
        ObstacleRecord record = Record(row.desc());
        const int t = row.rule == RuleTrafficLight ? 1000 : 0;
        record.Update(t);
        for (int k = 0; k < 8; ++k) {
            const TrafficZone& z = record.zones[k];
            EXPECT_TRUE(z.rule == row.rule && z.owner == 0 && z.slot == static_cast<std::uint32_t>(k)) << row.rule;
            EXPECT_TRUE(z.hx == 2.0f && z.hy == 5.0f && std::fabs(z.tm.GetTrans().x - (t + offsets[k])) < 0.01f);
            EXPECT_NEAR(z.speed, row.kmh[k] / 7.2, 1e-6 * (1.0 + row.kmh[k])) << row.rule << " slot " << k;
        }
    }
    const auto past = [](int k) { return ZoneSampleTime(1 << 25, k); };  // floats 4 apart: 525 -> 524, 1155 -> 1156
    EXPECT_TRUE(past(1) == 33554956 && past(2) == 33555588 && past(6) == 33559156 && ZoneSampleTime(INT_MIN, 0) == INT_MIN);
    EXPECT_TRUE(ZoneSampleTime(INT_MAX, 0) == INT_MAX && ZoneSampleTime(INT_MAX - 600, 7) == INT_MAX);
    // Without a node, or on an object of another class, a record keeps its zones.
    ObstacleRecord records[2];
    records[1].SetNode(Place(new SplineShape));
    for (ObstacleRecord& r : records) {
        for (int k = 0; k < 8; ++k) r.zones[k].Init(TransMatrix({1, 2, 3}), 7, 1, 1, k, RuleSpeedLimit, 9.0f);
        const ObstacleRecord before = r;
        r.Update(0);
        EXPECT_EQ(std::memcmp(&before.zones, &r.zones, sizeof r.zones), 0);
    }
}

}  // namespace
