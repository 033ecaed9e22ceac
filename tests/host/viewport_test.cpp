#include <gtest/gtest.h>

#include <limits>

#include "host/viewport.h"

namespace {

TEST(ScreenMapping, TopViewWithYDownAndItsInverse) {
    ScreenMapping m;
    m.centre = {100, 50, 0};
    m.pixelsPerUnit = 2.0f;
    m.width = 200;
    m.height = 100;
    EXPECT_EQ(m.ToScreen({100, 50, 7}), Point3(100, 50, 7));
    EXPECT_EQ(m.ToScreen({110, 60, 0}), Point3(120, 30, 0));
    for (const Point3 p : {Point3(0, 0, 0), Point3(-13.5f, 22.25f, 0), Point3(1000, -1000, 0)}) {
        const Point3 s = m.ToScreen(p);
        EXPECT_EQ(m.ToWorld(s.x, s.y), p);
    }
}

TEST(ScreenMapping, OnlyAPositiveFiniteScaleIsAccepted) {
    ViewExp view;
    for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        ScreenMapping m;
        m.pixelsPerUnit = bad;
        EXPECT_FALSE(view.SetScreenMapping(m)) << bad;
    }
    EXPECT_EQ(view.GetScreenMapping().pixelsPerUnit, 1.0f);
    ScreenMapping good;
    good.pixelsPerUnit = 4.0f;
    EXPECT_TRUE(view.SetScreenMapping(good));
    EXPECT_EQ(view.getGW()->GetScreenMapping().pixelsPerUnit, 4.0f) << "the window measures picks with it";
}

TEST(ViewExp, SnapPointGivesTheConstructionPlanePointUnderTheCursor) {
    ViewExp view;
    IPoint2 out{-1, -1};
    EXPECT_EQ(view.SnapPoint({290, 220}, out), Point3(-30, 20, 0));
    EXPECT_EQ(out.x, 290);
    EXPECT_EQ(out.y, 220);
}

TEST(ViewExp, GridSnappingMovesTheCursorToTheGridPoint) {
    ViewExp view;
    view.SetGridStep(10.0f);
    IPoint2 m{320 + 26, 240 + 14};
    EXPECT_EQ(view.SnapPoint(m, m, nullptr, 0), Point3(30, -10, 0));
    EXPECT_EQ(m.x, 350) << "in and out may be one point";
    EXPECT_EQ(m.y, 250);
    view.SetGridStep(0.0f);
    EXPECT_EQ(view.SnapPoint({321, 239}, m), Point3(1, 1, 0));
}

TEST(ViewExp, PreviewRemembersTheSnappedPoint) {
    ViewExp view;
    EXPECT_FALSE(view.LastSnapPreview().has_value());
    view.SetGridStep(5.0f);
    IPoint2 m{322, 243};
    view.SnapPreview(m, m, nullptr, 0);
    ASSERT_TRUE(view.LastSnapPreview().has_value());
    EXPECT_EQ(*view.LastSnapPreview(), Point3(0, -5, 0));
    EXPECT_EQ(m.y, 245);
}

TEST(ViewExp, LoggedHitsKeepTheirOrderUntilCleared) {
    ViewExp view;
    auto* a = reinterpret_cast<INode*>(std::uintptr_t{0x10});
    auto* b = reinterpret_cast<INode*>(std::uintptr_t{0x20});
    view.LogHit(a, 3, 0, nullptr);
    view.LogHit(b, 0, 7, nullptr);
    ASSERT_EQ(view.Hits().size(), 2u);
    EXPECT_EQ(view.Hits()[0].node, a);
    EXPECT_EQ(view.Hits()[0].distance, 3u);
    EXPECT_EQ(view.Hits()[1].node, b);
    EXPECT_EQ(view.Hits()[1].info, 7u);
    view.ClearHits();
    EXPECT_TRUE(view.Hits().empty());
}

}  // namespace
