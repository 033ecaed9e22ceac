#include "common/zone_effect.h"

#include <gtest/gtest.h>

TEST(ZoneEffect, FreshRecordHasNoCapAndZeroSums) {
    const ZoneEffect e;
    EXPECT_EQ(e.score, 0.0);
    EXPECT_EQ(e.found, 0.0);
    EXPECT_EQ(e.stopTerm, 0.0);
    EXPECT_EQ(e.priority, 0.0);
    EXPECT_EQ(e.speedCap, 10000000.0f);
}

TEST(ZoneEffect, AccumulateAddsSumsAndKeepsSmallerCap) {
    ZoneEffect dst{1.0, 2.0, 3.0, 4.0, 5.0f};
    const ZoneEffect larger{10.0, 20.0, 30.0, 40.0, 9.0f};
    ZoneEffect& result = dst.Accumulate(larger);
    EXPECT_EQ(&result, &dst);
    EXPECT_EQ(dst.score, 11.0);
    EXPECT_EQ(dst.found, 22.0);
    EXPECT_EQ(dst.stopTerm, 33.0);
    EXPECT_EQ(dst.priority, 44.0);
    EXPECT_EQ(dst.speedCap, 5.0f);

    dst.Accumulate({-100.0, -100.0, 0.5, 0.25, 2.0f}).Accumulate({});
    EXPECT_EQ(dst.score, -89.0);
    EXPECT_EQ(dst.found, -78.0);
    EXPECT_EQ(dst.stopTerm, 33.5);
    EXPECT_EQ(dst.priority, 44.25);
    EXPECT_EQ(dst.speedCap, 2.0f);
}
