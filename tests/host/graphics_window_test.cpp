#include <gtest/gtest.h>

#include "host/graphics_window.h"

namespace {

TEST(GraphicsWindow, RecordsSegmentsInWorldSpaceWithTheirColour) {
    GraphicsWindow gw;
    gw.setTransform(TransMatrix({10, 0, 0}));
    gw.setColor(LINE_COLOR, 1.0f, 0.5f, 0.0f);
    const Point3 pts[2] = {{0, 0, 0}, {1, 2, 0}};
    gw.startSegments();
    gw.segment(pts, 1);
    gw.segment(pts, 0);
    gw.endSegments();
    gw.segment(pts, 1);
    ASSERT_EQ(gw.Records().size(), 2u);
    const DrawRecord& r = gw.Records()[0];
    EXPECT_EQ(r.kind, DrawRecord::Kind::Segment);
    EXPECT_EQ(r.color, Point3(1.0f, 0.5f, 0.0f));
    EXPECT_EQ(r.points[0], Point3(10, 0, 0));
    EXPECT_EQ(r.points[1], Point3(11, 2, 0));
    EXPECT_EQ(gw.SegmentRuns(), 1);
    EXPECT_EQ(gw.LooseSegments(), 1);
}

}  // namespace
