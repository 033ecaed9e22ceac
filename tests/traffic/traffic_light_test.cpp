// The traffic light object: its signal over time, what it draws and the boxes it answers.
#include <climits>
#include <cmath>
#include <random>

#include "host/viewport.h"
#include "traffic/diagram_slot.h"
#include "traffic_light_support.h"

namespace {

constexpr char kFirstRed[] = "RGGGGGGGGGGGGGGGGGGGGGGG";

// The slot is the floor of (t mod P) x 24 / P in exact arithmetic, for any time and period.
TEST(DiagramSlot, MatchesExactArithmetic) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> time(INT_MIN, INT_MAX), period(1, INT_MAX);
    for (int i = 0; i < 20000; ++i) {
        const int t = time(rng), p = i % 2 == 0 ? period(rng) : 1 + i % 100000;
        const long double phase = static_cast<long double>(t) - p * std::floor(static_cast<long double>(t) / p);
        ASSERT_EQ(DiagramSlot(t, p), static_cast<int>(std::floor(phase * 24 / p))) << t << " " << p;
    }
    EXPECT_EQ(DiagramSlot(123456, 0), 0);
}

using LightDisplayTest = SceneTest;

TEST_F(LightDisplayTest, TwelveLinesThenTheLampDiscInsideTheBoxes) {
    // Half width 2 and half length 5 at (10, 20), green in slot 1 only.
    TrafficLightObject* light = NewLight();
    INode* node = Place(light, TransMatrix({10, 20, 0}));
    light->SetDraggedSize({-2, 5, 0});  // a drag up and left from the centre
    SetDiagram(light->GetParamBlock(0), kFirstRed);
    light->ObjectValidity(0);
    ViewExp view;
    const auto Draw = [&](TimeValue t) -> const std::vector<DrawRecord>& {
        view.getGW()->ClearRecords();
        EXPECT_EQ(light->Display(t, node, &view, 0), 0);
        return view.getGW()->Records();
    };
    const std::vector<std::pair<Point3, Point3>> lines = {
        {{-2, 5, 0}, {-2, -5, 0}}, {{2, 5, 0}, {2, -5, 0}}, {{2, -5, 0}, {-2, -5, 0}}, {{2, 5, 0}, {-2, 5, 0}},
        {{0, 0.5f, 0}, {-1, -0.5f, 0}}, {{0, 0.5f, 0}, {1, -0.5f, 0}}, {{-0.6f, 0, 2.6f}, {-0.6f, 0, 1.4f}},
        {{0.6f, 0, 2.6f}, {0.6f, 0, 1.4f}}, {{0.6f, 0, 1.4f}, {-0.6f, 0, 1.4f}}, {{0.6f, 0, 2.6f}, {-0.6f, 0, 2.6f}},
        {{-0.6f, 0, 1.4f}, {-2, 0, 0}}, {{0.6f, 0, 1.4f}, {2, 0, 0}},
    };
    const Point3 o(10, 20, 0), red(1, 0, 0);
    node->SetWireColor(0x00804020);
    const std::vector<DrawRecord>& records = Draw(0);
    ASSERT_EQ(records.size(), 12u + 64u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(records[i].points, (std::vector<Point3>{lines[i].first + o, lines[i].second + o})) << i;
    EXPECT_EQ(records[0].color, Point3(0x20, 0x40, 0x80) / 255.0f) << "lines in the wire colour";
    // A fan of 64 upright triangles round the lamp's centre, from the top round to the top.
    for (std::size_t i = 12; i < records.size(); ++i) {
        const std::vector<Point3>& p = records[i].points;
        ASSERT_EQ(records[i].kind, DrawRecord::Kind::Triangle);
        EXPECT_TRUE(p[2] == Point3(10, 20, 2) && p[0].y == 20 && std::fabs(Length(p[0] - p[2]) - 0.5f) < 1e-6f) << i;
        EXPECT_TRUE(Length(p[1] - (i == 12 ? Point3(10, 20, 2.5f) : records[i - 1].points[0])) < 1e-6f) << i;
        EXPECT_EQ(records[i].vertexColors, std::vector<Point3>(3, red));
    }
    EXPECT_LT(Length(records.back().points[0] - Point3(10, 20, 2.5f)), 1e-6f);
    const Material& m = records[12].material;
    EXPECT_TRUE(m.Kd == red && m.opacity == 1 && m.selfIllum == 1 && m.dblSided == 1);
    // The boxes reach the signal head.
    Box3 world, local;
    light->GetWorldBoundBox(0, node, &view, world);
    light->GetLocalBoundBox(0, node, &view, local);
    EXPECT_TRUE(world.pmin == Point3(8, 15, 0) && world.pmax == Point3(12, 25, 4.6f));
    EXPECT_TRUE(local.pmin == Point3(-2, -5, 0) && local.pmax == Point3(2, 5, 4.6f));
    // The lamp follows the signal: the diagram's slot 1 from 2000 ticks, or an animated input above 50.
    EXPECT_TRUE(Draw(1999).back().color == red && Draw(2000).back().color == Point3(0, 1, 0));
    IParamBlock2* block = light->GetParamBlock(0);
    block->SetValue(kInputTypeParam, 0, 1);
    block->SetKey(kUserInputParam, 0, 0.0);
    block->SetKey(kUserInputParam, 1000, 100.0);
    EXPECT_TRUE(Draw(500).back().color == red && Draw(501).back().color == Point3(0, 1, 0));
}

}  // namespace
