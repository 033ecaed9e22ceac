// The rectangle helpers (speed limiter, obstacle, stop line): descriptors, registration,
// parameter blocks and roll-ups, the size cache and the boxes read from it, clones, a missing
// block, the speed, creation by dragging, what they draw and where they are picked.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "common/module_handle.h"
#include "host/class_desc.h"
#include "host/create_mouse.h"
#include "host/interface.h"
#include "host/rollups.h"
#include "host/viewport.h"
#include "module/entry_points.h"
#include "resources/resource.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"

namespace {

struct HelperClassCase {
    const wchar_t* name;
    ClassDesc* (*getDesc)();
    void (*setup)(ParamBlockDesc2*);
    Class_ID id;
    unsigned int slot;  // in the module's class table
    int dialog;
    int widthEdit, widthSpin, lengthEdit, lengthSpin;
};

const HelperClassCase kHelperClasses[] = {
    {L"SpeedLimiter", GetSpeedLimiterDesc, SetupSpeedLimiterParamBlocks, {0x156A0982, 0x059D70D6}, 3, 125, 1145, 1146,
     1143, 1144},
    {L"Obstacle", GetObstacleDesc, SetupObstacleParamBlocks, {0x5B0B46B6, 0x6EBE723F}, 4, 126, 1151, 1152, 1149, 1150},
    {L"StopLine", GetStopLineDesc, SetupStopLineParamBlocks, {0x3E8C088E, 0x49951049}, 10, 132, 1145, 1146, 1143,
     1144},
};
const HelperClassCase& kSpeedLimiter = kHelperClasses[0];
const HelperClassCase& kObstacle = kHelperClasses[1];
const HelperClassCase& kStopLine = kHelperClasses[2];

void PrintTo(const HelperClassCase& c, std::ostream* os) { *os << std::string(c.name, c.name + std::wcslen(c.name)); }

std::string HelperCaseName(const ::testing::TestParamInfo<HelperClassCase>& info) {
    return std::string(info.param.name, info.param.name + std::wcslen(info.param.name));
}

class RectHelperTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static ClassDesc2* Desc(const HelperClassCase& c) { return static_cast<ClassDesc2*>(c.getDesc()); }
    static ParamBlockDesc2* BlockDesc(const HelperClassCase& c) { return Desc(c)->GetParamBlockDescByID(0); }

    // A new object of the class, owned by nobody yet: place it or call DeleteThis.
    template <class T = RectHelperObject>
    static T* Make(const HelperClassCase& c) {
        return static_cast<T*>(static_cast<Object*>(c.getDesc()->Create(FALSE)));
    }

    // A node in the scene holding obj with the given transform and half sizes; the cache is
    // refreshed as the host does before drawing.
    static INode* Place(RectHelperObject* obj, const Matrix3& tm, float halfWidth, float halfLength) {
        INode* node = GetCOREInterface()->CreateObjectNode(obj);
        node->SetNodeTM(0, tm);
        obj->GetParamBlock(0)->SetValue(0, 0, halfWidth);
        obj->GetParamBlock(0)->SetValue(1, 0, halfLength);
        obj->ObjectValidity(0);
        return node;
    }

    // The default view: 1 pixel per unit, world origin at pixel (320, 240), y up on the world.
    IPoint2 Pixel(float x, float y) const {
        const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
        return {static_cast<int>(s.x), static_cast<int>(s.y)};
    }

    const std::vector<DrawRecord>& Draw(RectHelperObject* obj, INode* node) {
        view.getGW()->ClearRecords();
        EXPECT_EQ(obj->Display(0, node, &view, 0), 0);
        return view.getGW()->Records();
    }
    int PickAt(RectHelperObject* obj, INode* node, IPoint2 p) {
        return obj->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view);
    }

    ViewExp view;

private:
    static void Reset() {
        GetCOREInterface()->ResetScene();
        GetCOREInterface()->SetSubObjectLevel(0);
        OpenRollups().clear();
        SetSceneUnitMetres(0.01);
    }
};

class ClassTest : public RectHelperTest, public ::testing::WithParamInterface<HelperClassCase> {};

std::pair<float, float> LengthAndWidth(RectHelperObject* obj) {
    std::pair<float, float> size;
    obj->GetSize(size.first, size.second);
    return size;
}

Box3 LocalBox(RectHelperObject* obj) {
    Box3 box;
    obj->GetLocalBoundBox(0, nullptr, nullptr, box);
    return box;
}

// Without a block nothing crashes: queries answer null, the sizes keep the cache.
TEST_P(ClassTest, MissingBlockIsHarmless) {
    RectHelperObject* obj = Make(GetParam());
    INode* node = Place(obj, TransMatrix({10, 0, 0}), 4, 2);
    EXPECT_EQ(obj->GetParamBlockByID(1), nullptr);
    obj->DeleteReference(0);
    EXPECT_EQ(obj->GetParamBlock(0), nullptr);
    EXPECT_EQ(obj->GetParamBlockByID(0), nullptr);
    EXPECT_EQ(obj->ObjectValidity(5), Interval(5, 5));
    EXPECT_EQ(LengthAndWidth(obj), std::pair(2.0f, 4.0f));
    EXPECT_EQ(LocalBox(obj).pmax, Point3(4, 2, 0));
    EXPECT_EQ(obj->Display(0, node, &view, 0), 0);
    EXPECT_FALSE(view.getGW()->Records().empty());
    IPoint2 p = Pixel(14, 0);
    EXPECT_EQ(obj->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view), 1);
    if (auto* limiter = dynamic_cast<SpeedLimiterObject*>(obj)) {
        EXPECT_EQ(limiter->GetSpeed(0), 0.0f);
    }

    Matrix3 mat;
    CreateMouseCallBack* cb = obj->GetCreateMouseCallBack();
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 0, 0, Pixel(0, 0), mat), CREATE_CONTINUE);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, Pixel(10, 10), mat), CREATE_STOP);

    RemapDir remap;
    auto* clone = static_cast<RectHelperObject*>(obj->Clone(remap));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetParamBlock(0), nullptr);
    clone->DeleteThis();
}

INSTANTIATE_TEST_SUITE_P(Helpers, ClassTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

// Kilometres per hour become scene units per second, read at the asked time.
TEST_F(RectHelperTest, SpeedInSceneUnitsPerSecond) {
    SpeedLimiterObject* obj = Make<SpeedLimiterObject>(kSpeedLimiter);
    SetSceneUnitMetres(1.0);
    EXPECT_NEAR(obj->GetSpeed(0), 8.3333f, 1e-4f);
    SetSceneUnitMetres(0.01);
    EXPECT_NEAR(obj->GetSpeed(0), 833.333f, 1e-3f);
    SetSceneUnitMetres(1.0);
    IParamBlock2* pb = obj->GetParamBlock(0);
    ASSERT_TRUE(pb->SetKey(kSpeedLimiterSpeedParam, 0, 36.0));
    ASSERT_TRUE(pb->SetKey(kSpeedLimiterSpeedParam, 4800, 72.0));
    EXPECT_FLOAT_EQ(obj->GetSpeed(0), 10.0f);
    EXPECT_FLOAT_EQ(obj->GetSpeed(2400), 15.0f);
    EXPECT_FLOAT_EQ(obj->GetSpeed(4800), 20.0f);
    obj->DeleteThis();
}

// Feeds mouse messages to the creation callback of a new object, as the host does.
class CreateTest : public ClassTest {
protected:
    void TearDown() override {
        obj->DeleteThis();
        ClassTest::TearDown();
    }
    int Send(int msg, int point, float x, float y) { return callback->proc(&view, msg, point, 0, Pixel(x, y), mat); }
    float Width() const { return obj->GetParamBlock(0)->GetFloat(0); }

    RectHelperObject* obj = Make(GetParam());
    CreateMouseCallBack* callback = obj->GetCreateMouseCallBack();
    Matrix3 mat;
};

struct Step {
    int msg, point;
    float x, y;
    int answer;
};

struct Sequence {
    const char* what;
    std::vector<Step> steps;
    float width, length;  // the half sizes afterwards
    Point3 node;          // where the node stays: the first click, snapped
    float grid = 0.0f;
};

constexpr int P = MOUSE_POINT, M = MOUSE_MOVE, C = CREATE_CONTINUE;

const Sequence kSequences[] = {
    {"drag to the lower left",
     {{MOUSE_FREEMOVE, 0, 0, 0, C}, {P, 0, 0, 0, C}, {M, 1, -10, 5, C}, {P, 1, -30, 20, CREATE_STOP}}, 30, 20, {}},
    {"abort before the first click", {{MOUSE_ABORT, 0, 0, 0, CREATE_ABORT}}, 100, 100, {}},
    {"abort during the drag", {{P, 0, 0, 0, C}, {M, 1, 8, 9, C}, {MOUSE_ABORT, 1, 8, 9, CREATE_ABORT}}, 8, 9, {}},
    {"no width", {{P, 0, 5, 5, C}, {M, 1, 5, 17, C}, {P, 1, 5, 17, CREATE_ABORT}}, 0, 12, {5, 5, 0}},
    {"other messages and later points change nothing",
     {{P, 0, 0, 0, C}, {P, 1, 3, 4, CREATE_STOP}, {3, 1, 50, 50, C}, {4, 1, 50, 50, C}, {5, 1, 50, 50, C},
      {7, 1, 50, 50, C}, {100, 1, 50, 50, C}, {P, 2, 50, 50, C}, {M, 3, 50, 50, C}},
     3, 4, {}},
    // Snapped to a 10-unit grid, every quadrant of the drag gives the same positive sizes.
    {"grid, upper right", {{P, 0, 52, -38, C}, {P, 1, 91, -21, CREATE_STOP}}, 40, 20, {50, -40, 0}, 10},
    {"grid, lower left", {{P, 0, 52, -38, C}, {P, 1, 9, -59, CREATE_STOP}}, 40, 20, {50, -40, 0}, 10},
};

// Each answer as given; the node held at the first click after every click or move; the roll-up
// refreshed by every step of the drag.
TEST_P(CreateTest, MessageSequences) {
    for (const Sequence& s : kSequences) {
        SCOPED_TRACE(s.what);
        obj->GetParamBlock(0)->SetValue(0, 0, 100.0f);
        obj->GetParamBlock(0)->SetValue(1, 0, 100.0f);
        view.SetGridStep(s.grid);
        for (const Step& step : s.steps) {
            mat = ScaleMatrix({3, 3, 3});
            const int refreshes = BlockDesc(GetParam())->UIRefreshCount();
            EXPECT_EQ(Send(step.msg, step.point, step.x, step.y), step.answer) << step.msg << "/" << step.point;
            const bool placing = (step.msg == P || step.msg == M) && step.point <= 1;
            EXPECT_TRUE(!placing || mat == TransMatrix(s.node)) << step.msg << "/" << step.point;
            const bool dragging = placing && step.point == 1;
            EXPECT_EQ(BlockDesc(GetParam())->UIRefreshCount(), refreshes + (dragging ? 1 : 0));
            EXPECT_TRUE(step.msg != MOUSE_FREEMOVE || view.LastSnapPreview() == s.node);
        }
        EXPECT_EQ(Width(), s.width);
        EXPECT_EQ(obj->GetParamBlock(0)->GetFloat(1), s.length);
    }
}

INSTANTIATE_TEST_SUITE_P(Helpers, CreateTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

using Kind = DrawRecord::Kind;

struct Stroke {
    Kind kind;
    std::vector<Point3> points;
};

Stroke Seg(Point3 a, Point3 b) { return {Kind::Segment, {a, b}}; }

// A polyline of letter-grid points scaled by s.
Stroke Letter(std::initializer_list<std::pair<int, int>> grid, float s) {
    Stroke stroke{Kind::Polyline, {}};
    for (const auto& [i, j] : grid) stroke.points.push_back({i * s, j * s, 0.0f});
    return stroke;
}

class DisplayTest : public RectHelperTest {
protected:
    // Exactly these strokes, in this order, open and in one segment run.
    void ExpectDrawn(RectHelperObject* obj, INode* node, const std::vector<Stroke>& strokes) {
        const std::vector<DrawRecord>& records = Draw(obj, node);
        ASSERT_EQ(records.size(), strokes.size());
        for (std::size_t i = 0; i < strokes.size(); ++i) {
            EXPECT_TRUE(records[i].kind == strokes[i].kind && !records[i].closed) << i;
            EXPECT_EQ(records[i].points, strokes[i].points) << i;
        }
        EXPECT_EQ(view.getGW()->SegmentRuns(), 1);
        EXPECT_EQ(view.getGW()->LooseSegments(), 0);
    }
};

TEST_F(DisplayTest, SpeedLimiterDrawsFourSidesInWorldSpace) {
    RectHelperObject* obj = Make(kSpeedLimiter);
    // Object (x, y) -> world (100 - y, 50 + x): a quarter turn about Z and a move, exact in floats.
    INode* node = Place(obj, Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {100, 50, 0}), 30, 20);
    ExpectDrawn(obj, node,
                {Seg({120, 20, 0}, {80, 20, 0}), Seg({120, 80, 0}, {80, 80, 0}), Seg({120, 20, 0}, {120, 80, 0}),
                 Seg({80, 20, 0}, {80, 80, 0})});
}

TEST_F(DisplayTest, ObstacleIsTheOutlineCrossedByBothDiagonals) {
    RectHelperObject* obj = Make(kObstacle);
    INode* node = Place(obj, Matrix3(), 0.5f, 2);
    ExpectDrawn(obj, node,
                {Seg({-0.5f, -2, 0}, {-0.5f, 2, 0}), Seg({0.5f, -2, 0}, {0.5f, 2, 0}), Seg({-0.5f, -2, 0}, {0.5f, -2, 0}),
                 Seg({-0.5f, 2, 0}, {0.5f, 2, 0}), Seg({-0.5f, -2, 0}, {0.5f, 2, 0}), Seg({0.5f, -2, 0}, {-0.5f, 2, 0})});
}

TEST_F(DisplayTest, StopLineDrawsTheBandThenStopInStrokes) {
    RectHelperObject* obj = Make(kStopLine);
    INode* node = Place(obj, Matrix3(), 100, 100);
    const float s = 6.0f;  // min(0.15 * 100, 0.06 * 100)
    ExpectDrawn(obj, node,
                {Seg({-100, -100, 0}, {100, -100, 0}), Seg({-100, -90, 0}, {100, -90, 0}),
                 Seg({-100, -100, 0}, {-100, -90, 0}), Seg({100, -100, 0}, {100, -90, 0}),
                 Letter({{-9, 3}, {-10, 4}, {-14, 4}, {-15, 3}, {-15, 1}, {-14, 0}, {-10, 0}, {-9, -1}, {-9, -3},
                         {-10, -4}, {-14, -4}, {-15, -3}},
                        s),
                 Seg({-42, 24, 0}, {-6, 24, 0}), Seg({-24, 24, 0}, {-24, -24, 0}),
                 Letter({{2, 4}, {6, 4}, {7, 3}, {7, -3}, {6, -4}, {2, -4}, {1, -3}, {1, 3}, {2, 4}}, s),
                 Letter({{9, -4}, {9, 4}, {14, 4}, {15, 3}, {15, 0}, {14, -1}, {9, -1}}, s)});
}

// The word spans 30 by 8 letter steps of min(0.15 length, 0.06 width), whichever is smaller,
// above the band at -0.9 length.
TEST_F(DisplayTest, StopWordScalesWithTheSmallerAllowance) {
    for (const auto [w, l, step] : {std::array{100.0f, 10.0f, 1.5f}, std::array{10.0f, 1000.0f, 0.6f}}) {
        RectHelperObject* obj = Make(kStopLine);
        const std::vector<DrawRecord>& records = Draw(obj, Place(obj, Matrix3(), w, l));
        Box3 word;
        for (std::size_t i = 4; i < records.size(); ++i)
            for (const Point3& p : records[i].points) word += p;
        EXPECT_FLOAT_EQ(word.pmin.x, -15 * step);
        EXPECT_FLOAT_EQ(word.pmax.y, 4 * step);
        EXPECT_FLOAT_EQ(records[1].points[0].y, -0.9f * l);
        // The boxes are the whole rectangle's, not the strokes'.
        EXPECT_TRUE(LocalBox(obj).pmin == Point3(-w, -l, 0) && LocalBox(obj).pmax == Point3(w, l, 0));
    }
}

using HitTest = RectHelperTest;

// Every class draws the near edge; a point pick hits within 4 pixels of it and logs the distance,
// draws nothing, and leaves the render limits and hit code as they were.
TEST_F(HitTest, PointPickHitsWithinFourPixelsAndRestoresTheWindow) {
    GraphicsWindow* gw = view.getGW();
    const DWORD limits[] = {GW_ILLUM, 0x1, GW_ILLUM | 0x40};
    for (int k = 0; k < 3; ++k) {
        const HelperClassCase& c = kHelperClasses[k];
        RectHelperObject* obj = Make(c);
        INode* node = Place(obj, TransMatrix({40, 30, 0}), 50, 30);  // near edge at world y = 0
        view.ClearHits();
        gw->setRndLimits(limits[k]);
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -3)), 1) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -4)), 1) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -5)), 0) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(-15, 1)), 0) << c.name << ": 5 pixels left of the left side";
        EXPECT_EQ(gw->getRndLimits(), limits[k]);
        EXPECT_EQ(gw->checkHitCode(), 0);
        ASSERT_EQ(view.Hits().size(), 2u) << c.name;
        EXPECT_EQ(view.Hits()[0].node, node);
        EXPECT_EQ(view.Hits()[0].distance, 3u);
        EXPECT_EQ(view.Hits()[0].info, 0u);
        EXPECT_EQ(view.Hits()[0].extra, nullptr);
        EXPECT_EQ(view.Hits()[1].distance, 4u);
    }
    EXPECT_TRUE(gw->Records().empty());
    EXPECT_EQ(gw->SegmentRuns(), 0);
}

// Each class is picked on its own strokes only, by points and by crossing or enclosing boxes.
TEST_F(HitTest, PicksFollowTheStrokesOfEachClass) {
    const struct {
        const char* what;
        const HelperClassCase& cls;
        float w, l;
        int type, crossing;
        IPoint2 p[2];
        int hit;
    } cases[] = {
        {"limiter interior", kSpeedLimiter, 50, 50, HITTYPE_POINT, 0, {Pixel(20, 23)}, 0},
        {"obstacle diagonal", kObstacle, 50, 50, HITTYPE_POINT, 0, {Pixel(20, 23)}, 1},
        {"obstacle other diagonal", kObstacle, 50, 50, HITTYPE_POINT, 0, {Pixel(-20, 23)}, 1},
        {"obstacle between the diagonals", kObstacle, 50, 50, HITTYPE_POINT, 0, {Pixel(0, 30)}, 0},
        {"stop line far half", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(0, 90)}, 0},
        {"stop line T stem", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(-24, 0)}, 1},
        {"stop line far side, not drawn", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(-100, 95)}, 0},
        {"box crossing the right side", kObstacle, 20, 10, HITTYPE_BOX, 1, {Pixel(15, 5), Pixel(30, -5)}, 1},
        {"same box enclosing no line", kObstacle, 20, 10, HITTYPE_BOX, 0, {Pixel(15, 5), Pixel(30, -5)}, 0},
        {"box enclosing it all", kObstacle, 20, 10, HITTYPE_BOX, 0, {Pixel(-25, 15), Pixel(25, -15)}, 1},
        {"box off to the side", kObstacle, 20, 10, HITTYPE_BOX, 1, {Pixel(30, 30), Pixel(40, 40)}, 0},
    };
    for (const auto& c : cases) {
        RectHelperObject* obj = Make(c.cls);
        INode* node = Place(obj, Matrix3(), c.w, c.l);
        IPoint2 p[2] = {c.p[0], c.p[1]};
        EXPECT_EQ(obj->HitTest(0, node, c.type, c.crossing, 0, p, &view), c.hit) << c.what;
    }
}

}  // namespace
