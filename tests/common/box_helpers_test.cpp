#include "common/box_helpers.h"

#include <gtest/gtest.h>

TEST(BoxHelpers, CentreAndSizeOfAnOrdinaryBox) {
    const Box3 box({0.0f, 0.0f, 0.0f}, {2.0f, 4.0f, 6.0f});
    EXPECT_EQ(Box3Center(box), Point3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(Box3Size(box), Point3(2.0f, 4.0f, 6.0f));
}

TEST(BoxHelpers, OffsetBoxWithNegativeCorner) {
    const Box3 box({-3.0f, 1.0f, -10.0f}, {1.0f, 2.0f, -4.0f});
    EXPECT_EQ(Box3Center(box), Point3(-1.0f, 1.5f, -7.0f));
    EXPECT_EQ(Box3Size(box), Point3(4.0f, 1.0f, 6.0f));
}

TEST(BoxHelpers, EmptyBoxIsNotSpecialCased) {
    const Box3 empty;
    EXPECT_EQ(Box3Center(empty), Point3(0.0f, 0.0f, 0.0f));
    const Point3 size = Box3Size(empty);
    EXPECT_EQ(size, Point3(-2e30f, -2e30f, -2e30f));
}
