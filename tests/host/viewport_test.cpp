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

}  // namespace
