#include <vector>

#include "rect_helper_fixture.h"

namespace {

// Object (x, y) -> world (100 - y, 50 + x): a quarter turn about Z and a move, exact in floats.
const Matrix3 kQuarterTurn({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {100, 50, 0});

struct Seg {
    Point3 a, b;
};

class DisplayTest : public RectHelperTest {
protected:
    const std::vector<DrawRecord>& Draw(RectHelperObject* obj, INode* node) {
        view.getGW()->ClearRecords();
        EXPECT_EQ(obj->Display(0, node, &view, 0), 0);
        return view.getGW()->Records();
    }
    static void ExpectSegments(const std::vector<DrawRecord>& records, std::size_t from, const std::vector<Seg>& segs) {
        ASSERT_GE(records.size(), from + segs.size());
        for (std::size_t i = 0; i < segs.size(); ++i) {
            const DrawRecord& r = records[from + i];
            EXPECT_EQ(r.kind, DrawRecord::Kind::Segment) << i;
            ASSERT_EQ(r.points.size(), 2u) << i;
            EXPECT_EQ(r.points[0], segs[i].a) << i;
            EXPECT_EQ(r.points[1], segs[i].b) << i;
        }
    }
    void ExpectOneRun() {
        EXPECT_EQ(view.getGW()->SegmentRuns(), 1);
        EXPECT_EQ(view.getGW()->LooseSegments(), 0);
    }
};

TEST_F(DisplayTest, SpeedLimiterDrawsFourSidesInWorldSpace) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, kQuarterTurn, 30, 20);
    const auto& records = Draw(obj, node);
    ASSERT_EQ(records.size(), 4u);
    ExpectSegments(records, 0,
                   {{{120, 20, 0}, {80, 20, 0}},
                    {{120, 80, 0}, {80, 80, 0}},
                    {{120, 20, 0}, {120, 80, 0}},
                    {{80, 20, 0}, {80, 80, 0}}});
    ExpectOneRun();
}

TEST_F(DisplayTest, SelectedDrawsWhiteOtherwiseInTheWireColour) {
    for (const HelperClassCase& c : kHelperClasses) {
        RectHelperObject* obj = Make(c);
        INode* node = Place(obj, Matrix3(), 5, 5);
        node->SetWireColor(0x00336699);
        for (const DrawRecord& r : Draw(obj, node))
            EXPECT_EQ(r.color, Point3(0x99 / 255.0f, 0x66 / 255.0f, 0x33 / 255.0f)) << c.name;
        node->SetSelected(true);
        for (const DrawRecord& r : Draw(obj, node)) EXPECT_EQ(r.color, Point3(1, 1, 1)) << c.name;
    }
}

TEST_F(DisplayTest, DrawingReadsTheCacheNotTheBlockNorTheSpeed) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, Matrix3(), 30, 20);
    const std::vector<DrawRecord> before = Draw(obj, node);
    obj->GetParamBlock(0)->SetValue(0, 0, 99.0f);
    obj->GetParamBlock(0)->SetValue(2, 0, 120.0f);
    EXPECT_EQ(Draw(obj, node)[3].points[1], before[3].points[1]) << "no validity request yet";
    obj->GetParamBlock(0)->SetValue(0, 0, 30.0f);
    obj->ObjectValidity(10);
    const auto& after = Draw(obj, node);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].points, before[i].points);
}

TEST_F(DisplayTest, ObstacleIsTheOutlineCrossedByBothDiagonals) {
    auto* obj = Make<ObstacleObject>(kHelperClasses[1]);
    INode* node = Place(obj, Matrix3(), 0.5f, 2);
    const auto& records = Draw(obj, node);
    ASSERT_EQ(records.size(), 6u);
    ExpectSegments(records, 0,
                   {{{-0.5f, -2, 0}, {-0.5f, 2, 0}},
                    {{0.5f, -2, 0}, {0.5f, 2, 0}},
                    {{-0.5f, -2, 0}, {0.5f, -2, 0}},
                    {{-0.5f, 2, 0}, {0.5f, 2, 0}},
                    {{-0.5f, -2, 0}, {0.5f, 2, 0}},
                    {{0.5f, -2, 0}, {-0.5f, 2, 0}}});
    ExpectOneRun();
}

std::vector<Point3> Scaled(std::initializer_list<std::pair<int, int>> grid, float s) {
    std::vector<Point3> out;
    for (const auto& [i, j] : grid) out.push_back({i * s, j * s, 0.0f});
    return out;
}

void ExpectPolyline(const DrawRecord& r, const std::vector<Point3>& pts) {
    EXPECT_EQ(r.kind, DrawRecord::Kind::Polyline);
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(r.points, pts);
}

TEST_F(DisplayTest, StopLineDrawsTheBandThenStopInStrokes) {
    auto* obj = Make<StopLineObject>(kHelperClasses[2]);
    INode* node = Place(obj, Matrix3(), 100, 100);
    const auto& records = Draw(obj, node);
    ASSERT_EQ(records.size(), 9u);
    const float s = 6.0f;  // min(0.15 * 100, 0.06 * 100)
    ExpectSegments(records, 0,
                   {{{-100, -100, 0}, {100, -100, 0}},
                    {{-100, -90, 0}, {100, -90, 0}},
                    {{-100, -100, 0}, {-100, -90, 0}},
                    {{100, -100, 0}, {100, -90, 0}}});
    ExpectPolyline(records[4], Scaled({{-9, 3}, {-10, 4}, {-14, 4}, {-15, 3}, {-15, 1}, {-14, 0},
                                       {-10, 0}, {-9, -1}, {-9, -3}, {-10, -4}, {-14, -4}, {-15, -3}},
                                      s));
    ExpectSegments(records, 5, {{{-42, 24, 0}, {-6, 24, 0}}, {{-24, 24, 0}, {-24, -24, 0}}});
    ExpectPolyline(records[7],
                   Scaled({{2, 4}, {6, 4}, {7, 3}, {7, -3}, {6, -4}, {2, -4}, {1, -3}, {1, 3}, {2, 4}}, s));
    ExpectPolyline(records[8], Scaled({{9, -4}, {9, 4}, {14, 4}, {15, 3}, {15, 0}, {14, -1}, {9, -1}}, s));
    ExpectOneRun();
}

// The word spans 30 by 8 letter steps and keeps clear of the band whatever the proportions.
TEST_F(DisplayTest, StopWordScalesWithTheSmallerAllowance) {
    struct Case {
        float w, l, s;
    };
    for (const Case& c : {Case{100, 100, 6}, Case{100, 10, 1.5f}, Case{10, 1000, 0.6f}, Case{0.5f, 0.2f, 0.03f}}) {
        auto* obj = Make<StopLineObject>(kHelperClasses[2]);
        INode* node = Place(obj, Matrix3(), c.w, c.l);
        Box3 word;
        const auto& records = Draw(obj, node);
        for (std::size_t i = 4; i < records.size(); ++i)
            for (const Point3& p : records[i].points) word += p;
        EXPECT_FLOAT_EQ(word.pmin.x, -15 * c.s) << c.w << "x" << c.l;
        EXPECT_FLOAT_EQ(word.pmax.x, 15 * c.s) << c.w << "x" << c.l;
        EXPECT_FLOAT_EQ(word.pmin.y, -4 * c.s) << c.w << "x" << c.l;
        EXPECT_FLOAT_EQ(word.pmax.y, 4 * c.s) << c.w << "x" << c.l;
        EXPECT_LE(word.pmax.x, 0.9f * c.w);
        EXPECT_GT(word.pmin.y, records[1].points[0].y) << "above the band";
        EXPECT_FLOAT_EQ(records[1].points[0].y, -0.9f * c.l);
        GetCOREInterface()->ResetScene();
    }
}

TEST_F(DisplayTest, NothingToDrawWithoutNodeOrView) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, Matrix3(), 1, 1);
    EXPECT_EQ(obj->Display(0, nullptr, &view, 0), 0);
    EXPECT_EQ(obj->Display(0, node, nullptr, 0), 0);
    EXPECT_TRUE(view.getGW()->Records().empty());
}

}  // namespace
