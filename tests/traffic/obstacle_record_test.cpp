// Control objects sampled into eight time-slot zones: the sample times, each class's rule and
// speed in scene units, records of other classes, and the zones at work in a zone index.
#include <climits>
#include <cstring>

#include "host/spline_shape.h"
#include "traffic/obstacle.h"
#include "traffic/obstacle_record.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/zone_index.h"
#include "traffic_light_support.h"

namespace {

class ObstacleRecordTest : public SceneTest {
protected:
    // obj on a node that moves one unit along X per tick from (0, y); half width 2, length 5.
    static ObstacleRecord Record(Object* obj, float y = 0.0f) {
        INode* node = Place(obj);
        auto* control = static_cast<TransformControl*>(node->GetTMController());
        control->SetKey(0, TransMatrix({0, y, 0}));
        control->SetKey(100000, TransMatrix({100000, y, 0}));
        obj->GetParamBlock(0)->SetValue(0, 0, 2.0f);
        obj->GetParamBlock(0)->SetValue(1, 0, 5.0f);
        ObstacleRecord record;
        record.SetNode(node);
        return record;
    }
    // A light at y, red in slot 0 of a 48000-tick cycle and green after.
    static TrafficLightObject* RedFirstLight() {
        TrafficLightObject* light = NewLight();
        SetDiagram(light->GetParamBlock(0), "RGGGGGGGGGGGGGGGGGGGGGGG");
        return light;
    }
};

TEST_F(ObstacleRecordTest, NewRecordIsOfNoClass) {
    const ObstacleRecord record;
    EXPECT_EQ(record.classID, Class_ID(0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ(record.node, nullptr);
    EXPECT_EQ(static_cast<const void*>(&record), static_cast<const void*>(record.zones));
}

TEST_F(ObstacleRecordTest, EightSamplesAt105TicksPerStep) {
    ObstacleRecord record = Record(Make<Object>(GetObstacleDesc()));
    EXPECT_EQ(record.classID, kObstacleClassID);
    for (const auto& [t, times] : {std::pair{1000, std::array{1000, 1525, 2155, 2890, 3730, 4675, 5725, 6880}},
                                   std::pair{0, std::array{0, 525, 1155, 1890, 2730, 3675, 4725, 5880}}}) {
        record.Update(t);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(ZoneSampleTime(t, k), times[static_cast<std::size_t>(k)]) << t << " slot " << k;
            EXPECT_NEAR(record.zones[k].tm.GetTrans().x, times[static_cast<std::size_t>(k)], 0.01f) << t << " slot " << k;
        }
    }
}

// Sample times beyond the tick range stay at its end instead of wrapping.
TEST_F(ObstacleRecordTest, SampleTimesHoldAtTheTickRange) {
    EXPECT_EQ(ZoneSampleTime(INT_MAX, 0), INT_MAX);
    EXPECT_EQ(ZoneSampleTime(INT_MAX - 600, 7), INT_MAX);
    EXPECT_EQ(ZoneSampleTime(INT_MIN, 0), INT_MIN);
    EXPECT_EQ(ZoneSampleTime(-1000, 1), -475);
    ObstacleRecord record = Record(RedFirstLight());
    record.Update(INT_MAX - 100);
    EXPECT_NEAR(record.zones[7].tm.GetTrans().x, 100000.0f, 0.01f);
}

struct ClassRow {
    const char* name;
    Object* (*make)();
    std::uint32_t rule;
    double kmh[8];  // the zone speed of each slot in km/h; 1e7 stands for a green light's cap
};

Object* MakeLimiter() {
    auto* limiter = static_cast<SpeedLimiterObject*>(static_cast<Object*>(GetSpeedLimiterDesc()->Create(FALSE)));
    limiter->GetParamBlock(0)->SetKey(kSpeedLimiterSpeedParam, 0, 30.0);
    limiter->GetParamBlock(0)->SetKey(kSpeedLimiterSpeedParam, 5880, 60.0);
    return limiter;
}
Object* MakeObstacle() { return static_cast<Object*>(GetObstacleDesc()->Create(FALSE)); }
Object* MakeStopLine() { return static_cast<Object*>(GetStopLineDesc()->Create(FALSE)); }
Object* MakeLight() {
    TrafficLightObject* light = static_cast<TrafficLightObject*>(static_cast<Object*>(GetTrafficLightDesc()->Create(FALSE)));
    for (int i = 0; i < 24; ++i) light->GetParamBlock(0)->SetValue(kDiagramParam, 0, i == 0 ? 0 : 1, i);
    return light;
}

constexpr double kGreen = 1e7 * 3.6;  // so that the km/h conversion below gives the raw 1e7
const ClassRow kClasses[] = {
    {"speed limiter, speed keyed 30 to 60 km/h", MakeLimiter, RuleSpeedLimit,
     {30, 10 + 30 + 30 * 525 / 5880.0, 20 + 30 + 30 * 1155 / 5880.0, 30 + 30 + 30 * 1890 / 5880.0,
      40 + 30 + 30 * 2730 / 5880.0, 50 + 30 + 30 * 3675 / 5880.0, 60 + 30 + 30 * 4725 / 5880.0, 70 + 60}},
    {"obstacle", MakeObstacle, RuleObstacle, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"stop line", MakeStopLine, RuleStopLine, {5, 15, 25, 35, 45, 55, 65, 75}},
    {"light red until 2000", MakeLight, RuleTrafficLight,
     {0, 10, kGreen + 20, kGreen + 30, kGreen + 40, kGreen + 50, kGreen + 60, kGreen + 70}},
};

// With 1 unit = 1 m, v km/h is v / 3.6 units per second. Sampled from t = 0, except the light
// from t = 1000.
TEST_F(ObstacleRecordTest, RulesAndSpeedsOfEachClass) {
    SetSceneUnitMetres(1.0);
    for (const ClassRow& row : kClasses) {
        ObstacleRecord record = Record(row.make());
        record.Update(row.rule == RuleTrafficLight ? 1000 : 0);
        for (int k = 0; k < 8; ++k) {
            const TrafficZone& z = record.zones[k];
            EXPECT_EQ(z.rule, row.rule) << row.name;
            EXPECT_TRUE(z.owner == 0 && z.slot == static_cast<std::uint32_t>(k)) << row.name;
            EXPECT_TRUE(z.hx == 2.0f && z.hy == 5.0f) << row.name;
            EXPECT_NEAR(z.speed, row.kmh[k] / 3.6, 1e-6 * (1.0 + row.kmh[k])) << row.name << " slot " << k;
        }
    }
    ObstacleRecord stop = Record(MakeStopLine());
    stop.Update(0);
    EXPECT_NEAR(stop.zones[0].speed, 1.3888889f, 1e-6f);
    SetSceneUnitMetres(0.01);
    stop.Update(0);
    EXPECT_NEAR(stop.zones[0].speed, 138.88889f, 1e-4f) << "cm per second at the default units";
}

TEST_F(ObstacleRecordTest, OtherClassesKeepTheirZones) {
    ObstacleRecord records[2];
    INode* shapeNode = Place(new SplineShape);
    records[1].SetNode(shapeNode);
    for (ObstacleRecord& r : records) {
        for (int k = 0; k < 8; ++k) r.zones[k].Init(TransMatrix({1, 2, 3}), 7, 1, 1, k, RuleSpeedLimit, 9.0f);
        ObstacleRecord before = r;
        r.Update(0);
        EXPECT_EQ(std::memcmp(&before.zones, &r.zones, sizeof r.zones), 0);
    }
}

// The records' blocks go straight into the index: an obstacle blocks a probe inside it, a red
// light caps a vehicle heading into it at 0, and once green lets it pass.
TEST_F(ObstacleRecordTest, RecordsActThroughTheZoneIndex) {
    ObstacleRecord records[2] = {Record(MakeObstacle(), 0.0f), Record(RedFirstLight(), 100.0f)};
    ZoneIndex index;
    const auto query = [&](Point3 at, TimeValue t) {
        for (ObstacleRecord& r : records) r.Update(t);
        const TrafficZone* blocks[2] = {records[0].zones, records[1].zones};
        index.Build(blocks, 2);
        VehicleProbe probe;
        probe.position = at;
        probe.owner = 1;
        probe.size = {1.0f, 2.0f, 1.5f};
        probe.bodyTM = TransMatrix({at.x, at.y - 4.0f, 0.0f});
        ZoneEffect effect;
        index.Query(probe, effect);
        index.Free();
        return effect;
    };
    EXPECT_EQ(query({0, 0, 0}, 0).score, -100.0);
    EXPECT_EQ(query({0, 100, 0}, 0).speedCap, 0.0f);
    EXPECT_GE(query({2000, 100, 0}, 2000).speedCap, 1e7f);
    EXPECT_EQ(query({0, 50, 0}, 0).score, 0.0);
}

}  // namespace
