// OverlapsBox must never lose a zone that overlaps a box with positive area; a brute-force
// separating-axis test in double is the reference.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "common/planar_geometry.h"
#include "tests/traffic/zone_test_support.h"

namespace {
struct Quad {
    double x[4], y[4];
};

Quad ZoneQuad(const TrafficZone& zone) {
    Quad q;
    for (int i = 0; i < 4; ++i) q.x[i] = zone.corners[i].x, q.y[i] = zone.corners[i].y;
    return q;
}

Quad BoxQuad(const Box3& box) {
    return {{box.pmin.x, box.pmax.x, box.pmax.x, box.pmin.x}, {box.pmin.y, box.pmin.y, box.pmax.y, box.pmax.y}};
}

// The smallest overlap of the two projections over every edge normal of both quads, in units
// of the normal's length. Positive exactly when the interiors meet; negative is a gap at least
// that wide. Exact for the small dyadic coordinates of the grid cases.
double OverlapDepth(const Quad& a, const Quad& b) {
    double depth = std::numeric_limits<double>::infinity();
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
                    const double s = q.x[c] * nx + q.y[c] * ny;
                    lo[k] = std::min(lo[k], s);
                    hi[k] = std::max(hi[k], s);
                }
            }
            depth = std::min(depth, (std::min(hi[0], hi[1]) - std::max(lo[0], lo[1])) / len);
        }
    }
    return depth;
}

double OverlapDepth(const TrafficZone& zone, const Box3& box) { return OverlapDepth(ZoneQuad(zone), BoxQuad(box)); }

Box3 BoxXY(float x0, float y0, float x1, float y1) { return Box3({x0, y0, -1.0f}, {x1, y1, 1.0f}); }

// Axis-aligned, mirrored and 45-degree frames whose inverses are exact.
const Point3 kAxes[][2] = {
    {{1, 0, 0}, {0, 1, 0}},   {{0, 1, 0}, {-1, 0, 0}}, {{-1, 0, 0}, {0, -1, 0}}, {{0, -1, 0}, {1, 0, 0}},
    {{1, 0, 0}, {0, -1, 0}},  {{-1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}},   {{0, -1, 0}, {-1, 0, 0}},
    {{1, 1, 0}, {-1, 1, 0}},  {{1, -1, 0}, {1, 1, 0}}, {{1, 1, 0}, {1, -1, 0}},  {{-1, 1, 0}, {-1, -1, 0}},
};
}  // namespace

TEST(ZoneOverlapsBox, DocumentedShapes) {
    const Box3 box = BoxXY(0.0f, 0.0f, 10.0f, 10.0f);
    // Box inside the zone.
    EXPECT_TRUE(MakeZone(FrameAt(5.0f, 5.0f), 20.0f, 20.0f, RuleObstacle).OverlapsBox(box));
    // Zone inside the box.
    EXPECT_TRUE(MakeZone(FrameAt(5.0f, 5.0f), 1.0f, 2.0f, RuleObstacle).OverlapsBox(box));
    // A long thin zone across the box, every corner outside it.
    const Matrix3 across = RotateZMatrix(0.3f) * TransMatrix({5.0f, 5.0f, 0.0f});
    const TrafficZone thin = MakeZone(across, 100.0f, 0.5f, RuleObstacle);
    for (const Point3& c : thin.corners) ASSERT_FALSE(PointInBoxXY(c, box));
    EXPECT_TRUE(thin.OverlapsBox(box));
}

TEST(ZoneOverlapsBox, ExactCoverInEveryOrientation) {
    const Box3 box = BoxXY(2.0f, 4.0f, 6.0f, 10.0f);
    EXPECT_TRUE(MakeZone(FrameAt(4.0f, 7.0f), 2.0f, 3.0f, RuleObstacle).OverlapsBox(box));
    EXPECT_TRUE(MakeZone(Frame({0, 1, 0}, {-1, 0, 0}, {4, 7, 0}), 3.0f, 2.0f, RuleObstacle).OverlapsBox(box));
    EXPECT_TRUE(MakeZone(Frame({1, 0, 0}, {0, -1, 0}, {4, 7, 0}), 2.0f, 3.0f, RuleObstacle).OverlapsBox(box));
}

TEST(ZoneOverlapsBox, ZoneCoveringOneAxisOfTheBoxExactly) {
    const Box3 box = BoxXY(0.0f, 0.0f, 4.0f, 4.0f);
    // Same x range, y reaching past both sides.
    EXPECT_TRUE(MakeZone(FrameAt(2.0f, 2.0f), 2.0f, 10.0f, RuleObstacle).OverlapsBox(box));
    // Same y range, x reaching past one side only.
    EXPECT_TRUE(MakeZone(FrameAt(5.0f, 2.0f), 5.0f, 2.0f, RuleObstacle).OverlapsBox(box));
    // Same x range, y covering the lower half: three shared edges.
    EXPECT_TRUE(MakeZone(FrameAt(2.0f, 1.0f), 2.0f, 1.0f, RuleObstacle).OverlapsBox(box));
    // A quadrant of the box: two shared edges.
    EXPECT_TRUE(MakeZone(FrameAt(3.0f, 3.0f), 1.0f, 1.0f, RuleObstacle).OverlapsBox(box));
    // Half over the box, half off it, edges on the box's lines.
    EXPECT_TRUE(MakeZone(FrameAt(4.0f, 2.0f), 2.0f, 2.0f, RuleObstacle).OverlapsBox(box));
}

TEST(ZoneOverlapsBox, DiamondInscribedInTheBox) {
    const TrafficZone diamond = MakeZone(Frame({1, 1, 0}, {-1, 1, 0}, {2, 2, 0}), 1.0f, 1.0f, RuleObstacle);
    EXPECT_TRUE(diamond.OverlapsBox(BoxXY(0.0f, 0.0f, 4.0f, 4.0f)));
    EXPECT_TRUE(diamond.OverlapsBox(BoxXY(0.0f, 0.0f, 2.0f, 2.0f)));
}

TEST(ZoneOverlapsBox, SeparatedZonesDoNotOverlap) {
    const Box3 box = BoxXY(0.0f, 0.0f, 4.0f, 4.0f);
    EXPECT_FALSE(MakeZone(FrameAt(10.0f, 2.0f), 2.0f, 2.0f, RuleObstacle).OverlapsBox(box));
    EXPECT_FALSE(MakeZone(FrameAt(2.0f, -3.0f), 2.0f, 2.9f, RuleObstacle).OverlapsBox(box));
    // A diamond off the box's corner whose bounding box overlaps the box.
    EXPECT_FALSE(MakeZone(Frame({1, 1, 0}, {-1, 1, 0}, {5.5f, 5.5f, 0}), 1.0f, 1.0f, RuleObstacle).OverlapsBox(box));
}

TEST(ZoneOverlapsBox, NaNZoneOverlapsNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const TrafficZone lost = MakeZone(FrameAt(nan, 0.0f), 2.0f, 2.0f, RuleObstacle);
    const TrafficZone skew = MakeZone(Frame({nan, 0, 0}, {0, 1, 0}, {0, 0, 0}), 2.0f, 2.0f, RuleObstacle);
    for (const Box3& box : {BoxXY(-1.0f, -1.0f, 1.0f, 1.0f), BoxXY(-1e6f, -1e6f, 1e6f, 1e6f)}) {
        EXPECT_FALSE(lost.OverlapsBox(box));
        EXPECT_FALSE(skew.OverlapsBox(box));
    }
}

TEST(ZoneOverlapsBox, GridZonesNeverLoseAnOverlap) {
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> axes(0, static_cast<int>(std::size(kAxes)) - 1);
    std::uniform_int_distribution<int> pos(-6, 6), ext(1, 6), size(1, 8);
    int overlapping = 0, separated = 0;
    for (int n = 0; n < 300000; ++n) {
        const auto& ax = kAxes[axes(rng)];
        const Point3 origin(pos(rng) * 0.5f, pos(rng) * 0.5f, 0.0f);
        const TrafficZone zone = MakeZone(Frame(ax[0], ax[1], origin), ext(rng) * 0.5f, ext(rng) * 0.5f, RuleObstacle);
        const float x0 = pos(rng) * 0.5f, y0 = pos(rng) * 0.5f;
        const Box3 box = BoxXY(x0, y0, x0 + size(rng) * 0.5f, y0 + size(rng) * 0.5f);
        const double depth = OverlapDepth(zone, box);
        if (depth > 0.0) {
            ++overlapping;
            ASSERT_TRUE(zone.OverlapsBox(box)) << "n=" << n << " depth=" << depth;
        } else if (depth < 0.0) {
            ++separated;
            ASSERT_FALSE(zone.OverlapsBox(box)) << "n=" << n << " gap=" << -depth;
        }
    }
    EXPECT_GT(overlapping, 50000);
    EXPECT_GT(separated, 50000);
}

TEST(ZoneOverlapsBox, RotatedZonesAgreeWithTheReference) {
    std::mt19937 rng(777);
    std::uniform_real_distribution<float> angle(-std::numbers::pi_v<float>, std::numbers::pi_v<float>);
    std::uniform_real_distribution<float> coord(-10.0f, 10.0f), half(0.05f, 6.0f), size(0.1f, 10.0f);
    int overlapping = 0, separated = 0;
    for (int n = 0; n < 200000; ++n) {
        const Matrix3 tm = RotateZMatrix(angle(rng)) * TransMatrix({coord(rng), coord(rng), 0.0f});
        const TrafficZone zone = MakeZone(tm, half(rng), half(rng), RuleObstacle);
        const float x0 = coord(rng), y0 = coord(rng);
        const Box3 box = BoxXY(x0, y0, x0 + size(rng), y0 + size(rng));
        const double depth = OverlapDepth(zone, box);
        // Float corners and the float inverse differ by rounding; judge only clear cases.
        if (depth > 1e-4) {
            ++overlapping;
            ASSERT_TRUE(zone.OverlapsBox(box)) << "n=" << n << " depth=" << depth;
        } else if (depth < -1e-4) {
            ++separated;
            ASSERT_FALSE(zone.OverlapsBox(box)) << "n=" << n << " gap=" << -depth;
        }
    }
    EXPECT_GT(overlapping, 30000);
    EXPECT_GT(separated, 30000);
}
