#include "common/planar_geometry.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

// An end on the other line counts only when its segment's other end is left of it: c-d's direction matters.
TEST(PlanarGeometry, CrossingsWithTheirOperandOrder) {
    const Point3 o(0, 0, 0), up(0, 1, 0), dn(0, -1, 0);
    const struct { const char* name; Point3 a, b, c, d; bool cross; } rows[] = {
        {"X", o, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}, true},
        {"collinear overlapping", o, {4, 0, 0}, {3, 0, 0}, {-1, 0, 0}, false},
        {"lines meet beyond both", o, {1, 1, 0}, {0, 10, 0}, {1, 9, 0}, false},
        {"a on c->d, b left", o, {-1, 0.5f, 0}, dn, up, true},
        {"a on c->d, b right", o, {1, 0.5f, 0}, dn, up, false},
        {"a on d->c, b right of it", o, {-1, 0.5f, 0}, up, dn, false},
        {"NaN", {std::nanf(""), 0, 0}, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SegmentsCrossXY(row.a, row.b, row.c, row.d), row.cross) << row.name;
        EXPECT_EQ(SegmentsCrossXY(row.c, row.d, row.a, row.b), row.cross) << row.name << ", pairs swapped";
    }
}

// On line p-q, z along r-s, as r*(1 - t) + s*t (at t = 1, s to the bit); miters of degenerate turns.
TEST(PlanarGeometry, IntersectionsAndMitersExactly) {
    const struct { Point3 p, q, r, s, want; } lines[] = {
        {{0, 0, 0}, {2, 2, 0}, {0, 2, 10}, {2, 0, 20}, {1, 1, 15}},
        {{0, 1, 0}, {1, 1, 0}, {3, 0, 4}, {3, -1, 6}, {3, 1, 2}},
        {{0.1f, 3.3f, 0.7f}, {1.1f, 3.3f, 0}, {3.3f, 1.1f, 3.3f}, {0.1f, 3.3f, 0.7f}, {0.1f, 3.3f, 0.7f}},
    };
    for (const auto& l : lines) EXPECT_EQ(LineIntersectionXY(l.p, l.q, l.r, l.s), l.want) << l.want.z;
    const struct { Point3 u, v, want; } miters[] = {
        {{1, 2, 0}, {-1, -2, 0}, {0, 0, 0}}, {{3, 0, 7}, {5, 0, -1}, {0, 1, 0}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {2, 0, 0}, {0, 1, 0}},
    };
    for (const auto& m : miters) EXPECT_EQ(MiterDirection(m.u, m.v), m.want) << m.v.x;
    EXPECT_EQ(PerpXY({1, 0, 5}), Point3(0, 1, 0));
}

TEST(MiterDirection, OffsetKeepsItsDistanceFromBothLines) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float pi = std::numbers::pi_v<float>;
    for (int n = 0; n < 20000; ++n) {
        const float a0 = pi * (2.0f * unit(rng) - 1.0f), a1 = a0 + pi * 170.0f / 180.0f * (2.0f * unit(rng) - 1.0f);
        const float lu = 0.1f + 100.0f * unit(rng), lv = 0.1f + 100.0f * unit(rng), w = 0.5f + 4.5f * unit(rng);
        const Point3 u(lu * std::cos(a0), lu * std::sin(a0), 0.0f), v(lv * std::cos(a1), lv * std::sin(a1), 0.0f);
        const Point3 offset = MiterDirection(u, v) * w;  // from the corner; distances positive on the left
        for (const Point3& dir : {u, v})
            ASSERT_NEAR((dir.x * offset.y - dir.y * offset.x) / std::hypot(dir.x, dir.y), w, 2e-3 * w + 1e-4) << n;
    }
}
