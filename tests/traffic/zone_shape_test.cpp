// The index's overlap test must never drop a zone that touches a quadrant, must still separate
// zones that are clearly apart, and its apply bounds must hold every probe that Apply accepts.
#include "traffic/zone_shape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;

struct Quad {
    double x[4], y[4];
};

// The smallest overlap of the two projections over the edge normals of both quads, in length
// units: at least 0 exactly when the closed quads meet, else minus the widest gap.
double OverlapDepth(const Quad& a, const Quad& b) {
    double depth = INFINITY;
    for (const Quad* edges : {&a, &b}) {
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const double nx = edges->y[i] - edges->y[j], ny = edges->x[j] - edges->x[i];
            const double len = std::hypot(nx, ny);
            if (len == 0.0) continue;
            double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
            for (int k = 0; k < 2; ++k) {
                const Quad& q = k == 0 ? a : b;
                for (int c = 0; c < 4; ++c) {
                    lo[k] = std::min(lo[k], q.x[c] * nx + q.y[c] * ny);
                    hi[k] = std::max(hi[k], q.x[c] * nx + q.y[c] * ny);
                }
            }
            depth = std::min(depth, (std::min(hi[0], hi[1]) - std::max(lo[0], lo[1])) / len);
        }
    }
    return depth;
}

Quad ZoneQuad(const TrafficZone& z) {
    Quad q;
    for (int i = 0; i < 4; ++i) q.x[i] = z.corners[i].x, q.y[i] = z.corners[i].y;
    return q;
}

Quad SquareQuad(const Box3& b) {
    return {{b.pmin.x, b.pmax.x, b.pmax.x, b.pmin.x}, {b.pmin.y, b.pmin.y, b.pmax.y, b.pmax.y}};
}

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

TrafficZone ZoneAt(const Matrix3& tm, float hx, float hy) {
    TrafficZone z;
    z.Init(tm, 0, hx, hy, 0, RuleObstacle, 1.0f);
    return z;
}

// v moved by `steps` floats up or down.
float Step(float v, int steps) {
    for (; steps > 0; --steps) v = std::nextafter(v, INFINITY);
    for (; steps < 0; ++steps) v = std::nextafter(v, -INFINITY);
    return v;
}

float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

// Turned, scaled and skewed frames, near and far from the origin.
Matrix3 RandomFrame(std::mt19937& rng) {
    const Point3 at(Uniform(rng, -1e5f, 1e5f), Uniform(rng, -1e5f, 1e5f), Uniform(rng, -1, 1));
    Matrix3 tm = RotateZMatrix(Uniform(rng, -kPi, kPi));
    switch (rng() % 3) {
    case 1: tm = ScaleMatrix({Uniform(rng, 0.2f, 5), Uniform(rng, 0.2f, 5), 1}) * tm; break;
    case 2: tm = Matrix3({1, Uniform(rng, -0.8f, 0.8f), 0}, {0, 1, 0}, {0, 0, 1}, {}) * tm; break;
    default: break;
    }
    tm.SetTrans(at);
    return tm;
}
}  // namespace

TEST(ZoneShape, OnlyFiniteZonesAreIndexable) {
    EXPECT_TRUE(IsIndexable(TrafficZone{}));
    EXPECT_TRUE(IsIndexable(ZoneAt(RotateZMatrix(0.3f), 2, 0)));  // a segment still counts
    EXPECT_FALSE(IsIndexable(ZoneAt(ScaleMatrix({4, 4, 1}), 3e38f, 1)));  // corners overflow
    EXPECT_FALSE(IsIndexable(ZoneAt(Matrix3({1, 0, 0}, {3, 0, 0}, {0, 0, 1}, {}), 1, 1)));  // no inverse
    EXPECT_FALSE(IsIndexable(ZoneAt(Matrix3(), std::numeric_limits<float>::quiet_NaN(), 1)));
    EXPECT_FALSE(IsIndexable(ZoneAt(Matrix3(), 1, std::numeric_limits<float>::infinity())));
    TrafficZone badHalf = ZoneAt(Matrix3(), 1, 1);
    badHalf.minHalf = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(IsIndexable(badHalf));
}

TEST(ZoneShape, ExactFitsTouchTheirNeighbours) {
    const Box3 square({0, 0, 0}, {2, 2, 0});
    // Exactly filling quadrant 3: its edges touch quadrants 1 and 2 and its corner quadrant 0.
    EXPECT_EQ(MaskOf(ZoneAt(TransMatrix({1.5f, 1.5f, 0}), 0.5f, 0.5f), square), 0xFu);
    // The same turned a quarter: the corners come out in another order, the outline is the same.
    EXPECT_EQ(MaskOf(ZoneAt(Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1.5f, 1.5f, 0}), 0.5f, 0.5f), square), 0xFu);
    // Filling the upper half: all four. Inside quadrant 3 with room: only it.
    EXPECT_EQ(MaskOf(ZoneAt(TransMatrix({1, 1.5f, 0}), 1, 0.5f), square), 0xFu);
    EXPECT_EQ(MaskOf(ZoneAt(TransMatrix({1.5f, 1.5f, 0}), 0.25f, 0.25f), square), 0x8u);
    // A zone touching the square from outside touches the quadrants along that side.
    EXPECT_EQ(MaskOf(ZoneAt(TransMatrix({3, 0.5f, 0}), 1, 0.25f), square), 0x2u);
    EXPECT_EQ(MaskOf(ZoneAt(TransMatrix({3.1f, 0.5f, 0}), 1, 0.25f), square), 0x0u);
}

TEST(ZoneShape, TurnedZoneIsToldFromItsBounds) {
    const Box3 square({0, 0, 0}, {2, 2, 0});
    // A diamond whose bounds reach into quadrant 0 while the diamond itself stays out of it.
    const TrafficZone diamond = ZoneAt(RotateZMatrix(kPi / 4) * TransMatrix({1.6f, 1.6f, 0}), 0.5f, 0.5f);
    ZoneBounds bounds;
    ZoneAxes axes;
    MakeZoneShape(diamond, bounds, axes);
    ASSERT_LT(bounds.minX, 1.0f);
    ASSERT_LT(bounds.minY, 1.0f);
    EXPECT_EQ(MaskOf(diamond, square), 0xEu);
}

TEST(ZoneShape, MaskNeverDropsATouchAndSeparatesClearGaps) {
    std::mt19937 rng(5);
    int touching = 0, apart = 0;
    for (int i = 0; i < 20000; ++i) {
        const Matrix3 tm = RandomFrame(rng);
        const TrafficZone z = ZoneAt(tm, Uniform(rng, 0, 300), Uniform(rng, 0, 300));
        const float side = std::exp2(std::floor(Uniform(rng, 3, 12)));
        // Squares placed around the zone, so that every relation occurs.
        const Point3 at = tm.GetTrans() + Point3(Uniform(rng, -1.2f, 0.2f), Uniform(rng, -1.2f, 0.2f), 0) * side;
        const Box3 square(Point3(at.x, at.y, 0), Point3(at.x + side, at.y + side, 0));
        Box3 quadrants[4];
        Quadrants(square, quadrants);
        const unsigned mask = MaskOf(z, square);
        for (int q = 0; q < 4; ++q) {
            const double depth = OverlapDepth(ZoneQuad(z), SquareQuad(quadrants[q]));
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
    std::mt19937 rng(6);
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        const TrafficZone z = ZoneAt(RandomFrame(rng), Uniform(rng, 0, 400), Uniform(rng, 0, 400));
        ZoneBounds bounds;
        ZoneAxes axes;
        MakeZoneShape(z, bounds, axes);
        const ApplyBounds b = ApplyBoundsOf(bounds);
        for (int c = 0; c < 8; ++c) {
            // Corners and edge midpoints, and a few float steps around them.
            const Point3 base = c < 4 ? z.corners[c] : (z.corners[c - 4] + z.corners[(c - 3) % 4]) * 0.5f;
            for (int dx = -3; dx <= 3; ++dx) {
                for (int dy = -3; dy <= 3; ++dy) {
                    VehicleProbe probe;
                    probe.owner = 1;
                    probe.size = {1, 1, 10};
                    probe.position = {Step(base.x, dx), Step(base.y, dy), 0};
                    ZoneEffect e;
                    z.Apply(probe, e);
                    if (e.score != -100.0) continue;
                    ++accepted;
                    EXPECT_TRUE(probe.position.x >= b.minX && probe.position.x <= b.maxX && probe.position.y >= b.minY &&
                                probe.position.y <= b.maxY);
                }
            }
        }
    }
    EXPECT_GT(accepted, 50000);
}
