#include "common/scalar.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(Sign, ZerosAndNaNGiveZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float x : {0.0f, -0.0f, nan, -nan}) {
        const float s = Sign(x);
        EXPECT_EQ(s, 0.0f) << x;
        EXPECT_FALSE(std::signbit(s)) << x;
    }
}

TEST(Sign, SmallestAndLargestMagnitudesKeepTheirSign) {
    const float tiny = std::numeric_limits<float>::denorm_min();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Sign(tiny), 1.0f);
    EXPECT_EQ(Sign(-tiny), -1.0f);
    EXPECT_EQ(Sign(inf), 1.0f);
    EXPECT_EQ(Sign(-inf), -1.0f);
    EXPECT_EQ(Sign(-3.5f), -1.0f);
}

TEST(Sqr, SquaresNegativeValues) {
    EXPECT_EQ(Sqr(-3.0f), 9.0f);
    EXPECT_EQ(Sqr(0.5f), 0.25f);
}
