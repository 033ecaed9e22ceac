// The traffic light object: its signal over time, what it draws and the boxes it answers.
#include <cmath>
#include <random>

#include "host/viewport.h"
#include "traffic/diagram_slot.h"
#include "traffic_light_support.h"

namespace {

using TrafficLightTest = SceneTest;

constexpr char kFirstRed[] = "RGGGGGGGGGGGGGGGGGGGGGGG";
constexpr char kLastRed[] = "GGGGGGGGGGGGGGGGGGGGGGGR";
constexpr char kAlternate[] = "RGRGRGRGRGRGRGRGRGRGRGRG";

const struct {
    const char* name;
    int period;
    const char* diagram;
    TimeValue t;
    bool green;
} kSignals[] = {
    {"slot 0 ends red", 48000, kFirstRed, 1999, false},
    {"slot 1 is green", 48000, kFirstRed, 2000, true},
    {"next cycle red again", 48000, kFirstRed, 48000, false},
    {"period 24: every tick a slot", 24, kAlternate, 25, true},
    {"period 0 is slot 0", 0, kFirstRed, 123456, false},
    {"just before 0 is slot 23", 48000, kLastRed, -1, false},
    {"period 1e8, slot 11", 100000000, kAlternate, 49999999, true},
};

TEST_F(TrafficLightTest, DiagramSignalOverTheCycle) {
    TrafficLightObject* light = NewLight();
    IParamBlock2* block = light->GetParamBlock(0);
    for (const auto& row : kSignals) {
        block->SetValue(kPeriodParam, 0, row.period);
        SetDiagram(block, row.diagram);
        EXPECT_EQ(light->IsGreen(row.t), row.green) << row.name;
    }
    block->SetValue(kInputTypeParam, 0, 1);
    block->SetKey(kUserInputParam, 0, 0.0);
    block->SetKey(kUserInputParam, 1000, 100.0);
    EXPECT_FALSE(light->IsGreen(500)) << "animated input 50 is red";
    EXPECT_TRUE(light->IsGreen(501)) << "animated input 50.1 is green";
    light->DeleteThis();
}

// The slot is the floor of (t mod P) x 24 / P in exact arithmetic, for any time and period.
TEST_F(TrafficLightTest, SlotMatchesExactArithmetic) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> time(-0x7FFFFFFF - 1, 0x7FFFFFFF), period(1, 0x7FFFFFFF);
    for (int i = 0; i < 20000; ++i) {
        const int t = time(rng), p = i % 2 == 0 ? period(rng) : 1 + i % 100000;
        const long double phase = static_cast<long double>(t) - p * std::floor(static_cast<long double>(t) / p);
        ASSERT_EQ(DiagramSlot(t, p), static_cast<int>(std::floor(phase * 24 / p))) << t << " " << p;
    }
}

class LightDisplayTest : public SceneTest {
protected:
    // Half width 2 and half length 5 at (10, 20), green in slot 1 only.
    void SetUp() override {
        SceneTest::SetUp();
        node = Place(light, TransMatrix({10, 20, 0}));
        light->GetParamBlock(0)->SetValue(0, 0, 2.0f);
        light->GetParamBlock(0)->SetValue(1, 0, 5.0f);
        SetDiagram(light->GetParamBlock(0), kFirstRed);
        light->ObjectValidity(0);
    }
    const std::vector<DrawRecord>& Draw(TimeValue t) {
        view.getGW()->ClearRecords();
        EXPECT_EQ(light->Display(t, node, &view, 0), 0);
        return view.getGW()->Records();
    }

    TrafficLightObject* light = NewLight();
    INode* node = nullptr;
    ViewExp view;
};

TEST_F(LightDisplayTest, TwelveLinesThenTheLampDisc) {
    const std::vector<std::pair<Point3, Point3>> lines = {
        {{-2, 5, 0}, {-2, -5, 0}}, {{2, 5, 0}, {2, -5, 0}}, {{2, -5, 0}, {-2, -5, 0}}, {{2, 5, 0}, {-2, 5, 0}},
        {{0, 0.5f, 0}, {-1, -0.5f, 0}}, {{0, 0.5f, 0}, {1, -0.5f, 0}}, {{-0.6f, 0, 2.6f}, {-0.6f, 0, 1.4f}},
        {{0.6f, 0, 2.6f}, {0.6f, 0, 1.4f}}, {{0.6f, 0, 1.4f}, {-0.6f, 0, 1.4f}}, {{0.6f, 0, 2.6f}, {-0.6f, 0, 2.6f}},
        {{-0.6f, 0, 1.4f}, {-2, 0, 0}}, {{0.6f, 0, 1.4f}, {2, 0, 0}},
    };
    const Point3 o(10, 20, 0);
    const std::vector<DrawRecord>& records = Draw(0);
    ASSERT_EQ(records.size(), 12u + 64u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(records[i].points, (std::vector<Point3>{lines[i].first + o, lines[i].second + o})) << i;
    for (std::size_t i = 12; i < records.size(); ++i) {
        ASSERT_EQ(records[i].kind, DrawRecord::Kind::Triangle);
        const std::vector<Point3>& p = records[i].points;
        EXPECT_EQ(p[2], Point3(10, 20, 2)) << "every triangle meets at the lamp's centre";
        EXPECT_TRUE(p[0].y == 20 && p[1].y == 20) << "upright in the XZ plane";
        EXPECT_NEAR(Length(p[0] - p[2]), 0.5f, 1e-6f) << i;
        EXPECT_EQ(records[i].vertexColors, std::vector<Point3>(3, Point3(1, 0, 0)));
        const Material& m = records[i].material;
        EXPECT_TRUE(m.Kd == Point3(1, 0, 0) && m.opacity == 1 && m.selfIllum == 1 && m.dblSided == 1);
    }
    // The first triangle starts at the top, the last one closes the disc there.
    EXPECT_TRUE(records[12].points[1].z == 2.5f && std::fabs(records[75].points[0].z - 2.5f) < 1e-6f);
    EXPECT_EQ(records[0].color, Point3(0xE0, 0xE0, 0xE0) / 255.0f) << "lines in the wire colour";
    EXPECT_EQ(Draw(2000).back().color, Point3(0, 1, 0)) << "the lamp follows the signal";
}

TEST_F(LightDisplayTest, BoxesReachTheSignalHead) {
    Box3 world, local;
    light->GetWorldBoundBox(0, node, &view, world);
    light->GetLocalBoundBox(0, node, &view, local);
    EXPECT_TRUE(world.pmin == Point3(8, 15, 0) && world.pmax == Point3(12, 25, 4.6f));
    EXPECT_TRUE(local.pmin == Point3(-2, -5, 0) && local.pmax == Point3(2, 5, 4.6f));
}

}  // namespace
