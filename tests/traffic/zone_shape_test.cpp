// The index's closed overlap test never drops a zone that touches a quadrant, still separates
// zones that are clearly apart, and its apply bounds hold every probe that Apply accepts.
#include "traffic/zone_shape.h"

#include <limits>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "tests/traffic/zone_test_support.h"

namespace {
// The quadrants of a square, as the tree build cuts them.
void Quadrants(const Box3& square, Box3 (&out)[4]) {
    const Point3 half = (square.pmax - square.pmin) * 0.5f;
    for (int q = 0; q < 4; ++q) {
        const Point3 low = square.pmin + Point3(half.x * static_cast<float>(q & 1), half.y * static_cast<float>(q >> 1), 0);
        out[q] = Box3(low, low + half);
    }
}

unsigned MaskOf(const TrafficZone& zone, const Box3& square) {
    Box3 quadrants[4];
    Quadrants(square, quadrants);
    ZoneBounds bounds;
    ZoneAxes axes;
    MakeZoneShape(zone, bounds, axes);
    return QuadrantMask(bounds, axes, MakeQuadrantSquares(quadrants));
}

// Turned, scaled and skewed frames, near and far from the origin.
Matrix3 RandomFrame(std::mt19937& rng) {
    Matrix3 tm = RotateZMatrix(Uniform(rng, -kPi, kPi));
    switch (rng() % 3) {
    case 1: tm = ScaleMatrix({Uniform(rng, 0.2f, 5), Uniform(rng, 0.2f, 5), 1}) * tm; break;
    case 2: tm = Matrix3({1, Uniform(rng, -0.8f, 0.8f), 0}, {0, 1, 0}, {0, 0, 1}, {}) * tm; break;
    default: break;
    }
    tm.SetTrans({Uniform(rng, -1e5f, 1e5f), Uniform(rng, -1e5f, 1e5f), Uniform(rng, -1, 1)});
    return tm;
}
}  // namespace

TEST(ZoneShape, MaskNeverDropsATouchAndSeparatesClearGaps) {
    std::mt19937 rng(5);
    int touching = 0, apart = 0;
    for (int i = 0; i < 20000; ++i) {
        const Matrix3 tm = RandomFrame(rng);
        const TrafficZone z = MakeZone(tm, Uniform(rng, 0, 300), Uniform(rng, 0, 300));
        const float side = std::exp2(std::floor(Uniform(rng, 3, 12)));
        // Squares placed around the zone, so that every relation occurs.
        const Point3 at = tm.GetTrans() + Point3(Uniform(rng, -1.2f, 0.2f), Uniform(rng, -1.2f, 0.2f), 0) * side;
        const Box3 square(Point3(at.x, at.y, 0), Point3(at.x + side, at.y + side, 0));
        Box3 quadrants[4];
        Quadrants(square, quadrants);
        const unsigned mask = MaskOf(z, square);
        for (int q = 0; q < 4; ++q) {
            const double depth = OverlapDepth(ZoneQuad(z), BoxQuad(quadrants[q]));
            const bool set = (mask >> q & 1u) != 0;
            if (depth >= 0.0) {
                ++touching;
                EXPECT_TRUE(set) << "dropped a touching zone, depth " << depth;
            } else if (depth < -1e-3 * (std::fabs(at.x) + std::fabs(at.y) + side)) {
                ++apart;
                EXPECT_FALSE(set) << "kept a zone " << -depth << " away";
            }
        }
    }
    EXPECT_GT(touching, 10000);
    EXPECT_GT(apart, 10000);
}

TEST(ZoneShape, ApplyBoundsHoldEveryAcceptedProbe) {
    const auto step = [](float v, int steps) {
        for (; steps > 0; --steps) v = std::nextafter(v, INFINITY);
        for (; steps < 0; ++steps) v = std::nextafter(v, -INFINITY);
        return v;
    };
    std::mt19937 rng(6);
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        const TrafficZone z = MakeZone(RandomFrame(rng), Uniform(rng, 0, 400), Uniform(rng, 0, 400));
        ZoneBounds bounds;
        ZoneAxes axes;
        MakeZoneShape(z, bounds, axes);
        const ApplyBounds b = ApplyBoundsOf(bounds);
        for (int c = 0; c < 8; ++c) {
            // Corners and edge midpoints, and a few float steps around them.
            const Point3 base = c < 4 ? z.corners[c] : (z.corners[c - 4] + z.corners[(c - 3) % 4]) * 0.5f;
            for (int dx = -3; dx <= 3; ++dx) {
                for (int dy = -3; dy <= 3; ++dy) {
                    VehicleProbe probe = ProbeAt({step(base.x, dx), step(base.y, dy), 0});
                    probe.size.z = 10;
                    if (Applied(z, probe).score != -100.0) continue;
                    ++accepted;
                    const Point3 p = probe.position;
                    EXPECT_TRUE(p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY);
                }
            }
        }
    }
    EXPECT_GT(accepted, 50000);
}
