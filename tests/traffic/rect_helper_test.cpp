// The rectangle helpers (speed limiter, obstacle, stop line): descriptors, registration,
// parameter blocks and roll-ups, the size cache and the boxes read from it, clones, a missing
// block, the speed, creation by dragging, what they draw and where they are picked.
#include <gtest/gtest.h>

#include <array>
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
};

const HelperClassCase kHelperClasses[] = {
    {L"SpeedLimiter", GetSpeedLimiterDesc}, {L"Obstacle", GetObstacleDesc}, {L"StopLine", GetStopLineDesc}};
const HelperClassCase& kSpeedLimiter = kHelperClasses[0];
const HelperClassCase& kObstacle = kHelperClasses[1];
const HelperClassCase& kStopLine = kHelperClasses[2];

class RectHelperTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

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

    ViewExp view;

private:
    static void Reset() {
        GetCOREInterface()->ResetScene();
        GetCOREInterface()->SetSubObjectLevel(0);
        OpenRollups().clear();
        SetSceneUnitMetres(0.01);
    }
};

Box3 LocalBox(RectHelperObject* obj) {
    Box3 box;
    obj->GetLocalBoundBox(0, nullptr, nullptr, box);
    return box;
}

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
        {"obstacle between the diagonals", kObstacle, 50, 50, HITTYPE_POINT, 0, {Pixel(0, 30)}, 0},
        {"stop line far half", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(0, 90)}, 0},
        {"stop line T stem", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(-24, 0)}, 1},
        {"stop line far side, not drawn", kStopLine, 100, 100, HITTYPE_POINT, 0, {Pixel(-100, 95)}, 0},
        {"box crossing the right side", kObstacle, 20, 10, HITTYPE_BOX, 1, {Pixel(15, 5), Pixel(30, -5)}, 1},
        {"same box enclosing no line", kObstacle, 20, 10, HITTYPE_BOX, 0, {Pixel(15, 5), Pixel(30, -5)}, 0},
        {"box enclosing it all", kObstacle, 20, 10, HITTYPE_BOX, 0, {Pixel(-25, 15), Pixel(25, -15)}, 1},
    };
    for (const auto& c : cases) {
        RectHelperObject* obj = Make(c.cls);
        INode* node = Place(obj, Matrix3(), c.w, c.l);
        IPoint2 p[2] = {c.p[0], c.p[1]};
        EXPECT_EQ(obj->HitTest(0, node, c.type, c.crossing, 0, p, &view), c.hit) << c.what;
    }
}

}  // namespace
