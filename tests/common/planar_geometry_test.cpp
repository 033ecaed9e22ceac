#include "common/planar_geometry.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

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
