// The traffic light object: its signal over time, its block and bindings, what it draws and the
// boxes it answers.
#include <cmath>
#include <random>
#include <string>

#include "host/viewport.h"
#include "resources/resource.h"
#include "traffic/diagram_slot.h"
#include "traffic_light_support.h"

namespace {

using TrafficLightTest = SceneTest;

struct SignalRow {
    const char* name;
    int period;
    const char* diagram;
    TimeValue t;
    bool green;
};

constexpr char kFirstRed[] = "RGGGGGGGGGGGGGGGGGGGGGGG";
constexpr char kLastRed[] = "GGGGGGGGGGGGGGGGGGGGGGGR";
constexpr char kAlternate[] = "RGRGRGRGRGRGRGRGRGRGRGRG";

const SignalRow kSignals[] = {
    {"slot 0 starts red", 48000, kFirstRed, 0, false},
    {"slot 0 ends red", 48000, kFirstRed, 1999, false},
    {"slot 1 is green", 48000, kFirstRed, 2000, true},
    {"cycle end is green", 48000, kFirstRed, 47999, true},
    {"next cycle red again", 48000, kFirstRed, 48000, false},
    {"next cycle slot 0 end", 48000, kFirstRed, 49999, false},
    {"period 24: tick 0", 24, kAlternate, 0, false},
    {"period 24: tick 1", 24, kAlternate, 1, true},
    {"period 24: tick 25", 24, kAlternate, 25, true},
    {"period 0 is slot 0", 0, kFirstRed, 123456, false},
    {"negative period is slot 0", -5, kLastRed, 7, true},
    {"just before 0 is slot 23", 48000, kLastRed, -1, false},
    {"a cycle back is slot 0", 48000, kLastRed, -48000, true},
    {"far back repeats", 48000, kFirstRed, -46001, false},
    {"period 1e8, last tick is slot 23", 100000000, kLastRed, 99999999, false},
    {"period 1e8, middle is slot 12", 100000000, kAlternate, 50000000, false},
    {"period 1e8, slot 11", 100000000, kAlternate, 49999999, true},
};

TEST_F(TrafficLightTest, DiagramSignalOverTheCycle) {
    TrafficLightObject* light = NewLight();
    IParamBlock2* block = light->GetParamBlock(0);
    for (const SignalRow& row : kSignals) {
        block->SetValue(kPeriodParam, 0, row.period);
        SetDiagram(block, row.diagram);
        EXPECT_EQ(light->IsGreen(row.t), row.green) << row.name;
    }
    light->DeleteThis();
}

// The slot is the floor of (t mod P) x 24 / P in exact arithmetic, for any time and period.
TEST_F(TrafficLightTest, SlotMatchesExactArithmetic) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> time(-0x7FFFFFFF - 1, 0x7FFFFFFF);
    std::uniform_int_distribution<int> period(1, 0x7FFFFFFF);
    for (int i = 0; i < 20000; ++i) {
        const int t = time(rng), p = i % 2 == 0 ? period(rng) : 1 + i % 100000;
        const long double phase = static_cast<long double>(t) - p * std::floor(static_cast<long double>(t) / p);
        const int expected = static_cast<int>(std::floor(phase * 24 / p));
        ASSERT_EQ(DiagramSlot(t, p), expected) << t << " " << p;
    }
}

TEST_F(TrafficLightTest, AnimatedInputIsGreenAboveFifty) {
    TrafficLightObject* light = NewLight();
    IParamBlock2* block = light->GetParamBlock(0);
    SetDiagram(block, kFirstRed);
    block->SetValue(kInputTypeParam, 0, 1);
    block->SetKey(kUserInputParam, 0, 0.0);
    block->SetKey(kUserInputParam, 1000, 100.0);
    EXPECT_FALSE(light->IsGreen(500)) << "50 is red";
    EXPECT_TRUE(light->IsGreen(501)) << "50.1 is green";
    EXPECT_TRUE(light->IsGreen(0) == false && light->IsGreen(1000));
    light->DeleteThis();
}

TEST_F(TrafficLightTest, BlockDefaultsRangesAndBindings) {
    ParamBlockDesc2* desc = static_cast<ClassDesc2*>(GetTrafficLightDesc())->GetParamBlockDescByID(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->DialogId(), IDD_TRAFFIC_LIGHT_PARAM);
    struct Row {
        ParamID id;
        const wchar_t* name;
        double low, high;
        std::vector<double> binding;
    };
    const Row rows[] = {
        {0, L"Width", 0.0001f, 100000, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1156, 1157, SPIN_AUTOSCALE}},
        {1, L"Width", 0.0001f, 100000, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1154, 1155, SPIN_AUTOSCALE}},
        {2, L"Input_Type", 0, 1, {TYPE_RADIO, 2, 1158, 1159}},
        {3, L"Period", 0, 1e8, {TYPE_SPINNER, EDITTYPE_TIME, 1099, 1100, SPIN_AUTOSCALE}},
        {4, L"Diagram", 0, 1, {}},
        {5, L"User_Input", 0, 100, {TYPE_SPINNER, EDITTYPE_FLOAT, 1101, 1102, 1.0}},
    };
    TrafficLightObject* light = NewLight();
    for (const Row& row : rows) {
        const ParamDef* def = desc->FindParam(row.id);
        ASSERT_NE(def, nullptr) << row.id;
        EXPECT_EQ(def->internalName, row.name) << row.id;
        EXPECT_EQ(def->rangeLow, row.low) << row.id;
        EXPECT_EQ(def->rangeHigh, row.high) << row.id;
        EXPECT_EQ(def->options.empty() ? std::vector<double>{} : def->options[0].values, row.binding) << row.id;
        EXPECT_EQ((def->flags & P_ANIMATABLE) != 0, row.id == kUserInputParam) << row.id;
    }
    IParamBlock2* block = light->GetParamBlock(0);
    EXPECT_EQ(block->Count(kDiagramParam), 24);
    EXPECT_EQ(Diagram(block), (std::array<int, 24>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(block->GetInt(kPeriodParam), 48000);
    EXPECT_EQ(block->GetFloat(kUserInputParam), 100.0f);
    EXPECT_EQ(block->GetInt(kInputTypeParam), 0);
    light->DeleteThis();
}

TEST_F(TrafficLightTest, CloneCarriesTheCycle) {
    TrafficLightObject* light = NewLight();
    SetDiagram(light->GetParamBlock(0), kAlternate);
    light->GetParamBlock(0)->SetValue(kPeriodParam, 0, 24);
    RemapDir remap;
    auto* copy = static_cast<TrafficLightObject*>(light->Clone(remap));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetParamBlock(0), light->GetParamBlock(0));
    for (TimeValue t = 0; t < 24; ++t) EXPECT_EQ(copy->IsGreen(t), t % 2 == 1) << t;
    copy->DeleteThis();
    light->DeleteThis();
}

class LightDisplayTest : public SceneTest {
protected:
    // A light of half width 2 and half length 5 at (10, 20), green in slot 1 only.
    void SetUp() override {
        SceneTest::SetUp();
        light = NewLight();
        node = Place(light, TransMatrix({10, 20, 0}));
        IParamBlock2* block = light->GetParamBlock(0);
        block->SetValue(0, 0, 2.0f);
        block->SetValue(1, 0, 5.0f);
        SetDiagram(block, "RGRRRRRRRRRRRRRRRRRRRRRR");
        light->ObjectValidity(0);
    }
    const std::vector<DrawRecord>& Draw(TimeValue t) {
        view.getGW()->ClearRecords();
        EXPECT_EQ(light->Display(t, node, &view, 0), 0);
        return view.getGW()->Records();
    }

    TrafficLightObject* light = nullptr;
    INode* node = nullptr;
    ViewExp view;
};

TEST_F(LightDisplayTest, TwelveLinesThenTheLampDisc) {
    const Point3 o(10, 20, 0);
    const float h = 1.0f;
    const std::vector<std::pair<Point3, Point3>> lines = {
        {{-2, 5, 0}, {-2, -5, 0}},  {{2, 5, 0}, {2, -5, 0}},   {{2, -5, 0}, {-2, -5, 0}},
        {{2, 5, 0}, {-2, 5, 0}},    {{0, 0.5f, 0}, {-1, -0.5f, 0}}, {{0, 0.5f, 0}, {1, -0.5f, 0}},
        {{-0.6f * h, 0, 2.6f * h}, {-0.6f * h, 0, 1.4f * h}}, {{0.6f * h, 0, 2.6f * h}, {0.6f * h, 0, 1.4f * h}},
        {{0.6f * h, 0, 1.4f * h}, {-0.6f * h, 0, 1.4f * h}}, {{0.6f * h, 0, 2.6f * h}, {-0.6f * h, 0, 2.6f * h}},
        {{-0.6f * h, 0, 1.4f * h}, {-2, 0, 0}}, {{0.6f * h, 0, 1.4f * h}, {2, 0, 0}},
    };
    const std::vector<DrawRecord>& records = Draw(0);
    ASSERT_EQ(records.size(), 12u + 64u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(records[i].kind, DrawRecord::Kind::Segment) << i;
        EXPECT_EQ(records[i].points, (std::vector<Point3>{lines[i].first + o, lines[i].second + o})) << i;
    }
    for (std::size_t i = 12; i < records.size(); ++i) {
        const DrawRecord& tri = records[i];
        ASSERT_EQ(tri.kind, DrawRecord::Kind::Triangle);
        EXPECT_EQ(tri.points[2], Point3(10, 20, 2.0f)) << "every triangle meets at the lamp's centre";
        for (int v = 0; v < 2; ++v) EXPECT_NEAR(Length(tri.points[v] - tri.points[2]), 0.5f, 1e-6f) << i;
        EXPECT_NEAR(tri.points[1].y, 20.0f, 0.0f) << "upright in the XZ plane";
        EXPECT_EQ(tri.vertexColors, std::vector<Point3>(3, Point3(1, 0, 0)));
    }
    // The first triangle spans angle 0 to pi/32 from the top; the last closes the disc there.
    EXPECT_NEAR(records[12].points[1].z, 2.5f, 1e-6f);
    EXPECT_NEAR(records[75].points[0].z, 2.5f, 1e-6f);
    EXPECT_NEAR(records[75].points[0].x, 10.0f, 1e-5f);
    EXPECT_EQ(view.getGW()->SegmentRuns(), 1);
}

TEST_F(LightDisplayTest, LampFollowsTheSignalAndLinesTheSelection) {
    node->SetWireColor(0x00804020);
    const Point3 wire(0x20 / 255.0f, 0x40 / 255.0f, 0x80 / 255.0f);
    for (const auto& [t, selected, lamp] : {std::tuple{0, false, Point3(1, 0, 0)}, std::tuple{2000, false, Point3(0, 1, 0)},
                                             std::tuple{2000, true, Point3(0, 1, 0)}}) {
        node->SetSelected(selected);
        const std::vector<DrawRecord>& records = Draw(t);
        EXPECT_EQ(records[0].color, selected ? Point3(1, 1, 1) : wire) << t;
        EXPECT_EQ(records.back().color, lamp) << t;
        const Material& m = records.back().material;
        EXPECT_TRUE(m.Kd == lamp && m.opacity == 1.0f && m.selfIllum == 1.0f && m.dblSided == 1) << t;
    }
}

TEST_F(LightDisplayTest, BoxesReachTheSignalHead) {
    Box3 world, local;
    light->GetWorldBoundBox(0, node, &view, world);
    light->GetLocalBoundBox(0, node, &view, local);
    EXPECT_EQ(world.pmin, Point3(8, 15, 0));
    EXPECT_EQ(world.pmax, Point3(12, 25, 4.6f));
    EXPECT_EQ(local.pmin, Point3(-2, -5, 0));
    EXPECT_EQ(local.pmax, Point3(2, 5, 4.6f));
    Matrix3 ignored = TransMatrix({100, 0, 0});
    Box3 deform;
    light->GetDeformBBox(0, deform, &ignored, false);
    EXPECT_TRUE(deform.pmin == local.pmin && deform.pmax == local.pmax);
}

TEST_F(LightDisplayTest, PickedOnItsStrokes) {
    const auto pick = [&](float x, float y) {
        const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
        IPoint2 p{static_cast<int>(s.x), static_cast<int>(s.y)};
        view.ClearHits();
        return light->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view);
    };
    EXPECT_EQ(pick(8, 20), 1) << "on the left side";
    EXPECT_EQ(pick(30, 20), 0);
    EXPECT_EQ(view.getGW()->getRndLimits() & GW_PICK, 0u);
}

}  // namespace
