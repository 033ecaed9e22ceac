#include "common/planar_geometry.h"

#include <cmath>
#include <numbers>
#include <random>
#include <utility>

#include <gtest/gtest.h>

namespace {
// Exact for small dyadic coordinates: doubles keep every digit of float differences.
double Orient(Point3 a, Point3 b, Point3 p) {
    return (static_cast<double>(b.x) - a.x) * (static_cast<double>(p.y) - a.y) -
           (static_cast<double>(b.y) - a.y) * (static_cast<double>(p.x) - a.x);
}
}  // namespace

TEST(SegmentsCrossXY, Rules) {
    const Point3 o(0, 0, 0), x4(4, 0, 0), up(0, 1, 0), dn(0, -1, 0);
    const struct {
        const char* name;
        Point3 a, b, c, d;
        bool cross;
    } cases[] = {
        {"X", {0, 0, 0}, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}, true},
        {"X, first reversed", {2, 2, 0}, {0, 0, 0}, {0, 2, 0}, {2, 0, 0}, true},
        {"heights ignored", {0, 0, -9}, {2, 2, 3}, {0, 2, 1e6f}, {2, 0, 0}, true},
        {"collinear overlapping", o, x4, {3, 0, 0}, {-1, 0, 0}, false},
        {"identical", o, x4, o, x4, false},
        {"parallel", o, x4, {4, -1, 0}, {0, -1, 0}, false},
        {"lines meet beyond both", {0, 0, 0}, {1, 1, 0}, {0, 10, 0}, {1, 9, 0}, false},
        {"first stops short", o, {1, 0, 0}, {3, -1, 0}, {3, 1, 0}, false},
        // An end point on the other line counts only when its segment's other end is left of it.
        {"a on c->d, b left", o, {-1, 0.5f, 0}, dn, up, true},
        {"a on c->d, b right", o, {1, 0.5f, 0}, dn, up, false},
        {"b on c->d, a left", {-1, 0.5f, 0}, o, dn, up, true},
        {"b on c->d, a right", {1, 0.5f, 0}, o, dn, up, false},
        {"d on a->b, c left", {-1, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, o, true},
        {"d on a->b, c right", {-1, 0, 0}, {1, 0, 0}, {0.5f, -1, 0}, o, false},
        {"T stem ends on bar, a left", {-1, 0, 0}, {1, 0, 0}, {1, -1, 0}, {1, 1, 0}, true},
        {"T stem ends on bar, a right", {-1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, -1, 0}, false},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(SegmentsCrossXY(t.a, t.b, t.c, t.d), t.cross) << t.name;
        EXPECT_EQ(SegmentsCrossXY(t.c, t.d, t.a, t.b), t.cross) << t.name << ", pairs swapped";
    }
    const float nan = std::nanf("");
    for (int i = 0; i < 8; ++i) {
        Point3 p[4] = {{0, 0, 0}, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}};
        (i % 2 == 0 ? p[i / 2].x : p[i / 2].y) = nan;
        EXPECT_FALSE(SegmentsCrossXY(p[0], p[1], p[2], p[3])) << "NaN " << i;
        EXPECT_FALSE(SegmentsCrossXY(p[2], p[3], p[0], p[1])) << "NaN " << i;
    }
}

TEST(SegmentsCrossXY, AgreesWithExactOrientation) {
    // Random floats in general position, then small integers that put many end points exactly
    // on lines: a point on a line counts as not left, and both straddle tests must pass.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> coord(-10.0f, 10.0f);
    int crossings = 0, checked = 0;
    for (int n = 0; n < 100000; ++n) {
        const Point3 a(coord(rng), coord(rng), coord(rng)), b(coord(rng), coord(rng), coord(rng));
        const Point3 c(coord(rng), coord(rng), coord(rng)), d(coord(rng), coord(rng), coord(rng));
        const double o[4] = {Orient(a, b, c), Orient(a, b, d), Orient(c, d, a), Orient(c, d, b)};
        if (std::fabs(o[0]) < 1e-3 || std::fabs(o[1]) < 1e-3 || std::fabs(o[2]) < 1e-3 || std::fabs(o[3]) < 1e-3)
            continue;
        ++checked;
        const bool expected = (o[0] > 0) != (o[1] > 0) && (o[2] > 0) != (o[3] > 0);
        crossings += expected;
        ASSERT_EQ(SegmentsCrossXY(a, b, c, d), expected) << n;
        ASSERT_EQ(SegmentsCrossXY(c, d, a, b), expected) << n;
    }
    EXPECT_GT(checked, 95000);
    EXPECT_GT(crossings, 10000);

    std::uniform_int_distribution<int> grid(-2, 2);
    const auto pt = [&] { return Point3(grid(rng), grid(rng), 0); };
    for (int n = 0; n < 50000; ++n) {
        const Point3 a = pt(), b = pt(), c = pt(), d = pt();
        const bool expected = (Orient(a, b, c) <= 0) == (Orient(a, b, d) > 0) &&
                              (Orient(c, d, a) <= 0) == (Orient(c, d, b) > 0);
        ASSERT_EQ(SegmentsCrossXY(a, b, c, d), expected) << n;
    }
}

TEST(MiterDirection, Cases) {
    const float r2 = std::numbers::sqrt2_v<float>;
    const struct {
        Point3 u, v, expected;
    } cases[] = {
        {{1, 2, 0}, {-1, -2, 0}, {0, 0, 0}},     // opposite directions
        {{3, 0, 0}, {5, 0, 0}, {0, 1, 0}},       // straight: unit left normal
        {{3, 4, 0}, {3, 4, 0}, {-0.8f, 0.6f, 0}},
        {{1, 0, 0}, {0, 2, 0}, {-1, 1, 0}},      // left turn: length sqrt 2
        {{1, 0, 0}, {0, -2, 0}, {1, 1, 0}},      // right turn
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},       // zero lengths stay finite
        {{0, 0, 0}, {2, 0, 0}, {0, 1, 0}},
    };
    for (const auto& t : cases) {
        const Point3 m = MiterDirection(t.u, t.v);
        EXPECT_NEAR(m.x, t.expected.x, 1e-6f) << t.u.x << "," << t.u.y << " " << t.v.x << "," << t.v.y;
        EXPECT_NEAR(m.y, t.expected.y, 1e-6f) << t.u.x << "," << t.u.y << " " << t.v.x << "," << t.v.y;
        EXPECT_EQ(m.z, 0.0f);
    }
    EXPECT_FLOAT_EQ(MiterDirection({1, 0, 0}, {0, 2, 0}).Length(), r2);
}

TEST(MiterDirection, OffsetKeepsItsDistanceFromBothLines) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float pi = std::numbers::pi_v<float>;
    for (int n = 0; n < 20000; ++n) {
        const float a0 = pi * (2.0f * unit(rng) - 1.0f), a1 = a0 + pi * 170.0f / 180.0f * (2.0f * unit(rng) - 1.0f);
        const float lu = 0.1f + 100.0f * unit(rng), lv = 0.1f + 100.0f * unit(rng), w = 0.5f + 4.5f * unit(rng);
        const Point3 u(lu * std::cos(a0), lu * std::sin(a0), 0.0f), v(lv * std::cos(a1), lv * std::sin(a1), 0.0f);
        const Point3 corner(200.0f * unit(rng) - 100.0f, 200.0f * unit(rng) - 100.0f, 0.0f);
        const Point3 offset = corner + MiterDirection(u, v) * w;
        // Signed distance to each line through the corner, positive on its left.
        for (const Point3& dir : {u, v}) {
            const double dx = offset.x - corner.x, dy = offset.y - corner.y;
            ASSERT_NEAR((dir.x * dy - dir.y * dx) / std::hypot(dir.x, dir.y), w, 2e-3 * w + 1e-4) << n;
        }
    }
}

TEST(LineIntersectionXY, MeetsOnTheFirstLineWithZAlongTheSecond) {
    // Lines, not segments: y = 1 meets the line through (3,0)-(3,-1) at t = -1.
    const Point3 x = LineIntersectionXY({0, 0, 0}, {2, 2, 0}, {0, 2, 10}, {2, 0, 20});
    const Point3 beyond = LineIntersectionXY({0, 1, 0}, {1, 1, 0}, {3, 0, 4}, {3, -1, 6});
    for (const auto& [got, want] : {std::pair{x, Point3(1, 1, 15)}, std::pair{beyond, Point3(3, 1, 2)}}) {
        EXPECT_FLOAT_EQ(got.x, want.x);
        EXPECT_FLOAT_EQ(got.y, want.y);
        EXPECT_FLOAT_EQ(got.z, want.z);
    }
}
