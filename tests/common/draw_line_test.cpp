#include "common/draw_line.h"

#include <gtest/gtest.h>

TEST(DrawLine, DrawsOneVisibleSegmentInTheCallersTransform) {
    GraphicsWindow gw;
    gw.setTransform(TransMatrix({10.0f, 20.0f, 30.0f}));
    gw.setColor(LINE_COLOR, 1.0f, 0.5f, 0.0f);
    gw.startSegments();
    DrawLine(&gw, {0.0f, 0.0f, 0.0f}, {1.0f, 2.0f, 3.0f});
    DrawLine(&gw, {-1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f});
    gw.endSegments();

    ASSERT_EQ(gw.Records().size(), 2u);
    EXPECT_EQ(gw.SegmentRuns(), 1);
    EXPECT_EQ(gw.LooseSegments(), 0);
    const DrawRecord& first = gw.Records()[0];
    EXPECT_EQ(first.kind, DrawRecord::Kind::Segment);
    EXPECT_EQ(first.color, Point3(1.0f, 0.5f, 0.0f));
    ASSERT_EQ(first.points.size(), 2u);
    EXPECT_EQ(first.points[0], Point3(10.0f, 20.0f, 30.0f));
    EXPECT_EQ(first.points[1], Point3(11.0f, 22.0f, 33.0f));
    EXPECT_EQ(gw.Records()[1].points[1], Point3(10.0f, 19.0f, 30.0f));
}
