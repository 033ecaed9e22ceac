// Which quadtree cells a way is put into. A way must sit in every cell holding a point (the
// cell's boundary included, since probes on a centre line descend into the lower cell) that
// passes its containment test; otherwise a query could miss it.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "common/planar_geometry.h"
#include "road/way_overlap.h"
#include "tests/road/road_support.h"

namespace {
Box3 Cell(float x0, float y0, float x1, float y1) { return Box3({x0, y0, 0.0f}, {x1, y1, 0.0f}); }

// A quad built in way-local coordinates, turned by `angle` and moved to `centre`.
WayRecord TurnedWay(const Point3 (&local)[4], float angle, Point3 centre) {
    const float c = std::cos(angle), s = std::sin(angle);
    Point3 w[4];
    for (int i = 0; i < 4; ++i)
        w[i] = centre + Point3(local[i].x * c - local[i].y * s, local[i].x * s + local[i].y * c, local[i].z);
    return MakeWay(w[0], w[1], w[2], w[3]);
}

// The containment region's corners in world XY.
void ReachCorners(const WayRecord& way, Point3 (&out)[4]) {
    const Point3 o = way.frame.GetRow(3), u = way.frame.GetRow(0) * way.halfX, v = way.frame.GetRow(1) * way.halfY;
    out[0] = o - u - v, out[1] = o + u - v, out[2] = o + u + v, out[3] = o - u + v;
}

// Separation in double between the containment region and the cell along the four axes of a
// separating-axis test, in world units; negative when they overlap.
double Gap(const WayRecord& way, const Box3& cell) {
    Point3 r[4];
    ReachCorners(way, r);
    const double bx[4] = {cell.pmin.x, cell.pmax.x, cell.pmax.x, cell.pmin.x};
    const double by[4] = {cell.pmin.y, cell.pmin.y, cell.pmax.y, cell.pmax.y};
    const Point3 x = way.frame.GetRow(0), y = way.frame.GetRow(1);
    const double axes[4][2] = {{1, 0}, {0, 1}, {-x.y, x.x}, {-y.y, y.x}};
    double gap = -std::numeric_limits<double>::infinity();
    for (const auto& a : axes) {
        const double len = std::hypot(a[0], a[1]);
        double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
        for (int i = 0; i < 4; ++i) {
            const double sr = (r[i].x * a[0] + r[i].y * a[1]) / len, sb = (bx[i] * a[0] + by[i] * a[1]) / len;
            lo[0] = std::min(lo[0], sr), hi[0] = std::max(hi[0], sr);
            lo[1] = std::min(lo[1], sb), hi[1] = std::max(hi[1], sb);
        }
        gap = std::max(gap, std::max(lo[0], lo[1]) - std::min(hi[0], hi[1]));
    }
    return gap;
}
}  // namespace

TEST(WayOverlap, NeverMissesAReachablePointAndStaysTight) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    int reachable = 0, unreachable = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const float hx = 5.0f + 200.0f * std::fabs(unit(rng)), hy = 2.0f + 50.0f * std::fabs(unit(rng));
        Point3 local[4] = {{-hx, -hy, 0}, {hx, -hy, 0}, {hx, hy, 0}, {-hx, hy, 0}};
        if (trial % 2 == 1)  // taper, shear and slope
            for (Point3& c : local) c += Point3(0.5f * hx * unit(rng), 0.2f * hy * unit(rng), 20.0f * unit(rng));
        const Point3 centre(5000.0f * unit(rng), 5000.0f * unit(rng), 0.0f);
        const WayRecord way = TurnedWay(local, 3.14159265f * unit(rng), centre);
        if (way.IsInert()) continue;

        const float size = std::exp2(1.0f + 9.0f * std::fabs(unit(rng)));
        const Point3 at = centre + Point3(unit(rng), unit(rng), 0.0f) * (1.5f * (hx + hy));
        const Box3 cell = Cell(at.x, at.y, at.x + size, at.y + size);

        // The cell's grid points, boundary included, and the region's corners pulled into it.
        bool hit = false;
        for (int i = 0; i <= 8 && !hit; ++i)
            for (int j = 0; j <= 8 && !hit; ++j)
                hit = InReach(way, {at.x + size * i / 8.0f, at.y + size * j / 8.0f, 0});
        Point3 r[4];
        ReachCorners(way, r);
        for (const Point3& c : r)
            hit = hit ||
                  InReach(way, {std::clamp(c.x, cell.pmin.x, cell.pmax.x), std::clamp(c.y, cell.pmin.y, cell.pmax.y), 0});

        const bool overlaps = WayOverlapsBox(way, cell);
        if (hit) {
            ++reachable;
            ASSERT_TRUE(overlaps) << "trial " << trial;
        }
        if (Gap(way, cell) > 1e-3 * (std::fabs(centre.x) + std::fabs(centre.y) + hx + hy)) {
            ++unreachable;
            ASSERT_FALSE(overlaps) << "trial " << trial;
        }
    }
    EXPECT_GT(reachable, 2000);
    EXPECT_GT(unreachable, 2000);
}
