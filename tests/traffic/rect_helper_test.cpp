// The rectangle helpers (speed limiter, obstacle, stop line): drawing, boxes and picking.
#include <tuple>

#include "tests/host/host_support.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic_light_support.h"

namespace {

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

class RectHelperTest : public SceneTest {
protected:
    // A node in the scene holding a new object of the class, its half sizes set by a drag down and
    // right from its centre; the cache is refreshed as the host does before drawing.
    static RectHelperObject* Make(ClassDesc* desc, float halfWidth, float halfLength) {
        auto* obj = static_cast<RectHelperObject*>(static_cast<Object*>(desc->Create(FALSE)));
        node = Place(obj);
        obj->SetDraggedSize({halfWidth, -halfLength, 0});
        obj->ObjectValidity(0);
        return obj;
    }
    // The default view: 1 pixel per unit, world origin at pixel (320, 240), y up on the world.
    IPoint2 Pixel(float x, float y) const { return ::Pixel(view, x, y); }
    const std::vector<DrawRecord>& Draw(RectHelperObject* obj) {
        view.getGW()->ClearRecords();
        EXPECT_EQ(obj->Display(0, node, &view, 0), 0);
        return view.getGW()->Records();
    }
    // Exactly these strokes, in this order, open and in one segment run.
    void ExpectDrawn(RectHelperObject* obj, const std::vector<Stroke>& strokes) {
        const std::vector<DrawRecord>& records = Draw(obj);
        ASSERT_EQ(records.size(), strokes.size());
        for (std::size_t i = 0; i < strokes.size(); ++i) {
            EXPECT_TRUE(records[i].kind == strokes[i].kind && !records[i].closed) << i;
            EXPECT_EQ(records[i].points, strokes[i].points) << i;
        }
        EXPECT_TRUE(view.getGW()->SegmentRuns() == 1 && view.getGW()->LooseSegments() == 0);
    }

    static inline INode* node = nullptr;
    ViewExp view;
};

TEST_F(RectHelperTest, StopLineDrawsTheBandThenStopScaledByTheSmallerAllowance) {
    const float s = 6.0f;  // min(0.15 * 100, 0.06 * 100)
    ExpectDrawn(Make(GetStopLineDesc(), 100, 100),
                {Seg({-100, -100, 0}, {100, -100, 0}), Seg({-100, -90, 0}, {100, -90, 0}),
                 Seg({-100, -100, 0}, {-100, -90, 0}), Seg({100, -100, 0}, {100, -90, 0}),
                 Letter({{-9, 3}, {-10, 4}, {-14, 4}, {-15, 3}, {-15, 1}, {-14, 0}, {-10, 0}, {-9, -1}, {-9, -3},
                         {-10, -4}, {-14, -4}, {-15, -3}},
                        s),
                 Seg({-42, 24, 0}, {-6, 24, 0}), Seg({-24, 24, 0}, {-24, -24, 0}),
                 Letter({{2, 4}, {6, 4}, {7, 3}, {7, -3}, {6, -4}, {2, -4}, {1, -3}, {1, 3}, {2, 4}}, s),
                 Letter({{9, -4}, {9, 4}, {14, 4}, {15, 3}, {15, 0}, {14, -1}, {9, -1}}, s)});
    // The letter step is 0.15 length when that is smaller; the boxes are the whole rectangle's.
    RectHelperObject* obj = Make(GetStopLineDesc(), 100, 10);
    Box3 word, local;
    const std::vector<DrawRecord>& records = Draw(obj);
    for (std::size_t i = 4; i < records.size(); ++i)
        for (const Point3& p : records[i].points) word += p;
    obj->GetLocalBoundBox(0, nullptr, nullptr, local);
    EXPECT_EQ(std::make_tuple(word.pmin.x, word.pmax.y, records[1].points[0].y), std::make_tuple(-15 * 1.5f, 4 * 1.5f, -9.0f));
    EXPECT_TRUE(local.pmin == Point3(-100, -10, 0) && local.pmax == Point3(100, 10, 0));
}

// Each class is picked on its own strokes only, by points and by crossing or enclosing boxes.
TEST_F(RectHelperTest, PicksFollowTheStrokesOfEachClass) {
    const struct {
        const char* what;
        ClassDesc* (*desc)();
        float w, l;
        int type, crossing;
        IPoint2 p[2];
        int hit;
    } cases[] = {
        {"limiter interior", GetSpeedLimiterDesc, 50, 50, HITTYPE_POINT, 0, {Pixel(20, 23)}, 0},
        {"obstacle diagonal", GetObstacleDesc, 50, 50, HITTYPE_POINT, 0, {Pixel(20, 23)}, 1},
        {"obstacle between the diagonals", GetObstacleDesc, 50, 50, HITTYPE_POINT, 0, {Pixel(0, 30)}, 0},
        {"stop line far half", GetStopLineDesc, 100, 100, HITTYPE_POINT, 0, {Pixel(0, 90)}, 0},
        {"stop line T stem", GetStopLineDesc, 100, 100, HITTYPE_POINT, 0, {Pixel(-24, 0)}, 1},
        {"stop line far side, not drawn", GetStopLineDesc, 100, 100, HITTYPE_POINT, 0, {Pixel(-100, 95)}, 0},
        {"box crossing the right side", GetObstacleDesc, 20, 10, HITTYPE_BOX, 1, {Pixel(15, 5), Pixel(30, -5)}, 1},
        {"same box enclosing no line", GetObstacleDesc, 20, 10, HITTYPE_BOX, 0, {Pixel(15, 5), Pixel(30, -5)}, 0},
        {"box enclosing it all", GetObstacleDesc, 20, 10, HITTYPE_BOX, 0, {Pixel(-25, 15), Pixel(25, -15)}, 1},
    };
    for (const auto& c : cases) {
        RectHelperObject* obj = Make(c.desc(), c.w, c.l);
        IPoint2 p[2] = {c.p[0], c.p[1]};
        EXPECT_EQ(obj->HitTest(0, node, c.type, c.crossing, 0, p, &view), c.hit) << c.what;
    }
}

}  // namespace
