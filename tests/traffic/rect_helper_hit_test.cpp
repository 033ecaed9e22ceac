#include "rect_helper_fixture.h"

namespace {

// The default view: 1 pixel per unit, world origin at pixel (320, 240), y up on the world.
class HitTest : public RectHelperTest {
protected:
    IPoint2 Pixel(float x, float y) const {
        const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
        return {static_cast<int>(s.x), static_cast<int>(s.y)};
    }
    int PickAt(RectHelperObject* obj, INode* node, IPoint2 p) {
        return obj->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view);
    }
    int PickBox(RectHelperObject* obj, INode* node, int crossing, IPoint2 a, IPoint2 b) {
        IPoint2 corners[2] = {a, b};
        return obj->HitTest(0, node, HITTYPE_BOX, crossing, 0, corners, &view);
    }
};

TEST_F(HitTest, PointPickHitsWithinFourPixelsOfAnEdgeAndLogsTheDistance) {
    for (const HelperClassCase& c : kHelperClasses) {
        RectHelperObject* obj = Make(c);
        INode* node = Place(obj, TransMatrix({40, 30, 0}), 50, 30);
        view.ClearHits();
        // The near edge (local y = -30, world y = 0) is drawn by all three classes.
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -3)), 1) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -4)), 1) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(40, -5)), 0) << c.name;
        EXPECT_EQ(PickAt(obj, node, Pixel(-15, 1)), 0) << c.name << ": 5 pixels left of the left side";
        ASSERT_EQ(view.Hits().size(), 2u) << c.name;
        EXPECT_EQ(view.Hits()[0].node, node);
        EXPECT_EQ(view.Hits()[0].distance, 3u);
        EXPECT_EQ(view.Hits()[0].info, 0u);
        EXPECT_EQ(view.Hits()[0].extra, nullptr);
        EXPECT_EQ(view.Hits()[1].distance, 4u);
    }
}

TEST_F(HitTest, PickingDrawsNothingAndRestoresTheWindow) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, Matrix3(), 50, 30);
    GraphicsWindow* gw = view.getGW();
    for (DWORD limits : {DWORD{GW_ILLUM}, DWORD{0x1}, DWORD{GW_ILLUM | 0x40}}) {
        gw->setRndLimits(limits);
        EXPECT_EQ(PickAt(obj, node, Pixel(52, 0)), 1);
        EXPECT_EQ(gw->getRndLimits(), limits);
        EXPECT_EQ(gw->checkHitCode(), 0) << "the hit code is cleared again";
        EXPECT_EQ(PickAt(obj, node, Pixel(0, 0)), 0);
        EXPECT_EQ(gw->getRndLimits(), limits);
    }
    EXPECT_TRUE(gw->Records().empty());
    EXPECT_EQ(gw->SegmentRuns(), 0);
}

// The four pixels are screen pixels: a closer view turns the same world offset into a miss.
TEST_F(HitTest, EpsilonIsMeasuredOnTheScreen) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, Matrix3(), 50, 30);
    EXPECT_EQ(PickAt(obj, node, Pixel(53, 0)), 1);
    ScreenMapping zoomed;
    zoomed.pixelsPerUnit = 2.0f;
    ASSERT_TRUE(view.SetScreenMapping(zoomed));
    EXPECT_EQ(PickAt(obj, node, Pixel(53, 0)), 0);
    EXPECT_EQ(PickAt(obj, node, Pixel(51.5f, 0)), 1);
    EXPECT_EQ(view.Hits().back().distance, 3u);
}

TEST_F(HitTest, RotatedNodeIsPickedWhereItIsDrawn) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    // Local x runs along world y: the long sides lie at world y = +-50 around the node.
    INode* node = Place(obj, Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {100, 0, 0}), 50, 10);
    EXPECT_EQ(PickAt(obj, node, Pixel(100, 52)), 1);
    EXPECT_EQ(PickAt(obj, node, Pixel(150, 0)), 0);
}

TEST_F(HitTest, InteriorMissesUnlessAStrokeCrossesIt) {
    auto* limiter = Make<SpeedLimiterObject>(kHelperClasses[0]);
    auto* obstacle = Make<ObstacleObject>(kHelperClasses[1]);
    INode* a = Place(limiter, Matrix3(), 50, 50);
    INode* b = Place(obstacle, Matrix3(), 50, 50);
    // (20, 23) is 2.1 pixels from the diagonal y = x and far from every side.
    EXPECT_EQ(PickAt(limiter, a, Pixel(20, 23)), 0);
    EXPECT_EQ(PickAt(obstacle, b, Pixel(20, 23)), 1);
    EXPECT_EQ(PickAt(obstacle, b, Pixel(-20, 23)), 1) << "the other diagonal";
    EXPECT_EQ(PickAt(obstacle, b, Pixel(0, 30)), 0);
}

TEST_F(HitTest, StopLineFarHalfIsEmptyButItsLettersArePickable) {
    auto* obj = Make<StopLineObject>(kHelperClasses[2]);
    INode* node = Place(obj, Matrix3(), 100, 100);
    EXPECT_EQ(PickAt(obj, node, Pixel(0, 90)), 0) << "inside the boxes, away from every stroke";
    EXPECT_EQ(PickAt(obj, node, Pixel(-24, 0)), 1) << "the stem of the T";
    EXPECT_EQ(PickAt(obj, node, Pixel(-100, 95)), 0) << "the far sides are not drawn";
}

TEST_F(HitTest, BoxRegionsCrossOrEnclose) {
    auto* obj = Make<ObstacleObject>(kHelperClasses[1]);
    INode* node = Place(obj, Matrix3(), 20, 10);
    EXPECT_EQ(PickBox(obj, node, 1, Pixel(15, 5), Pixel(30, -5)), 1) << "crosses the right side";
    EXPECT_EQ(PickBox(obj, node, 0, Pixel(15, 5), Pixel(30, -5)), 0) << "encloses no whole line";
    EXPECT_EQ(PickBox(obj, node, 0, Pixel(-25, 15), Pixel(25, -15)), 1);
    EXPECT_EQ(PickBox(obj, node, 1, Pixel(30, 30), Pixel(40, 40)), 0);
    EXPECT_EQ(view.Hits().back().distance, 0u);
}

TEST_F(HitTest, MissingPointNodeOrViewHitsNothing) {
    auto* obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    INode* node = Place(obj, Matrix3(), 50, 30);
    IPoint2 p = Pixel(50, 0);
    EXPECT_EQ(obj->HitTest(0, node, HITTYPE_POINT, 0, 0, nullptr, &view), 0);
    EXPECT_EQ(obj->HitTest(0, nullptr, HITTYPE_POINT, 0, 0, &p, &view), 0);
    EXPECT_EQ(obj->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, nullptr), 0);
    EXPECT_EQ(obj->HitTest(0, node, 99, 0, 0, &p, &view), 0);
    EXPECT_TRUE(view.Hits().empty());
    EXPECT_EQ(view.getGW()->getRndLimits(), GW_ILLUM);
}

}  // namespace
