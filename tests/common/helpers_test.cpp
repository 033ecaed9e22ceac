// The small helpers: exact values, edges and NaN.
#include <cmath>
#include <utility>

#include <gtest/gtest.h>

#include "common/box_helpers.h"
#include "common/zone_effect.h"
#include "common/scalar.h"

TEST(Helpers, ExactValues) {
    const std::pair<float, float> signs[] = {{2.5f, 1}, {-1e-30f, -1}, {0.0f, 0}, {-0.0f, 0}, {std::nanf(""), 0}};
    for (const auto& [x, sign] : signs) EXPECT_TRUE(Sign(x) == sign && std::signbit(Sign(x)) == (sign < 0)) << x;
    EXPECT_TRUE(Box3Center({{0, 0, 0}, {2, 4, 6}}) == Point3(1, 2, 3) && Box3Size({{0, 0, 0}, {2, 4, 6}}) == Point3(2, 4, 6));
    EXPECT_EQ(Box3Size(Box3()), Point3(-2e30f, -2e30f, -2e30f));
}

TEST(ZoneEffect, AccumulateAddsTheSumsAndKeepsTheSmallerCap) {
    ZoneEffect dst{1.0, 2.0, 3.0, 4.0, 5.0f};
    EXPECT_EQ(&dst.Accumulate({10.0, 20.0, 30.0, 40.0, 9.0f}), &dst);
    EXPECT_TRUE(dst.score == 11.0 && dst.found == 22.0 && dst.stopTerm == 33.0 && dst.priority == 44.0 && dst.speedCap == 5.0f);
    dst.Accumulate({-100.0, -100.0, 0.5, 0.25, 2.0f}).Accumulate({});
    EXPECT_TRUE(dst.score == -89.0 && dst.found == -78.0 && dst.stopTerm == 33.5 && dst.priority == 44.25 && dst.speedCap == 2.0f);
}
