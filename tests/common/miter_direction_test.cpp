#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "common/planar_geometry.h"

TEST(MiterDirection, OppositeDirectionsGiveZero) {
    EXPECT_EQ(MiterDirection({1.0f, 2.0f, 0.0f}, {-1.0f, -2.0f, 0.0f}), Point3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(MiterDirection({3.0f, 0.0f, 0.0f}, {-0.5f, 0.0f, 0.0f}), Point3(0.0f, 0.0f, 0.0f));
}

TEST(MiterDirection, StraightLineGivesUnitLeftNormal) {
    EXPECT_EQ(MiterDirection({3.0f, 0.0f, 0.0f}, {5.0f, 0.0f, 0.0f}), Point3(0.0f, 1.0f, 0.0f));
    const Point3 m = MiterDirection({3.0f, 4.0f, 0.0f}, {3.0f, 4.0f, 0.0f});
    EXPECT_FLOAT_EQ(m.x, -0.8f);
    EXPECT_FLOAT_EQ(m.y, 0.6f);
    EXPECT_EQ(m.z, 0.0f);
}

TEST(MiterDirection, RightAngleTurnHasLengthRootTwo) {
    const Point3 left = MiterDirection({1.0f, 0.0f, 0.0f}, {0.0f, 2.0f, 0.0f});
    EXPECT_FLOAT_EQ(left.x, -1.0f);
    EXPECT_FLOAT_EQ(left.y, 1.0f);
    EXPECT_FLOAT_EQ(left.Length(), std::numbers::sqrt2_v<float>);
    const Point3 right = MiterDirection({1.0f, 0.0f, 0.0f}, {0.0f, -2.0f, 0.0f});
    EXPECT_FLOAT_EQ(right.x, 1.0f);
    EXPECT_FLOAT_EQ(right.y, 1.0f);
}

TEST(MiterDirection, ZeroLengthDirectionsStayFinite) {
    EXPECT_EQ(MiterDirection({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}), Point3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(MiterDirection({0.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}), Point3(0.0f, 1.0f, 0.0f));
}

TEST(MiterDirection, OffsetKeepsItsDistanceFromBothLines) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> angle(-std::numbers::pi_v<float>, std::numbers::pi_v<float>);
    std::uniform_real_distribution<float> turnDeg(-170.0f, 170.0f);
    std::uniform_real_distribution<float> length(0.1f, 100.0f);
    std::uniform_real_distribution<float> width(0.5f, 5.0f);
    std::uniform_real_distribution<float> coord(-100.0f, 100.0f);
    for (int n = 0; n < 20000; ++n) {
        const float a0 = angle(rng);
        const float a1 = a0 + turnDeg(rng) * std::numbers::pi_v<float> / 180.0f;
        const float lu = length(rng), lv = length(rng);
        const Point3 u(lu * std::cos(a0), lu * std::sin(a0), 0.0f);
        const Point3 v(lv * std::cos(a1), lv * std::sin(a1), 0.0f);
        const Point3 corner(coord(rng), coord(rng), 0.0f);
        const float w = width(rng);

        const Point3 m = MiterDirection(u, v);
        const Point3 offset = corner + m * w;
        // Signed distance to each line through the corner, positive on its left.
        for (const Point3& dir : {u, v}) {
            const double dx = offset.x - corner.x, dy = offset.y - corner.y;
            const double dist = (dir.x * dy - dir.y * dx) / std::hypot(dir.x, dir.y);
            ASSERT_NEAR(dist, w, 2e-3 * w + 1e-4) << n;
        }
    }
}
