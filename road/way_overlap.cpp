#include "road/way_overlap.h"

#include <cmath>

namespace {
// The XY parallelogram in which a way's containment tests can hold: centre o, half axes
// u = halfX * X and v = halfY * Y, projected on the ground. It reaches past the quad itself
// wherever the quad is not a rectangle (miter joints, connector arcs).
struct Reach {
    float ox, oy, ux, uy, vx, vy;
    // Covers rounding between this geometry and the inverse that the queries go through.
    float margin;

    explicit Reach(const WayRecord& way) {
        const Point3 o = way.frame.GetRow(3), x = way.frame.GetRow(0), y = way.frame.GetRow(1);
        ox = o.x, oy = o.y;
        ux = way.halfX * x.x, uy = way.halfX * x.y;
        vx = way.halfY * y.x, vy = way.halfY * y.y;
        margin = 1e-5f * (std::fabs(ox) + std::fabs(oy) + way.halfX + way.halfY);
    }

    // Whether the projections on the axis (nx, ny) touch; the reach's half width along the
    // axis is |n.u| + |n.v|.
    bool TouchesAlong(float nx, float ny, const Box3& cell) const {
        const float cx = (cell.pmin.x + cell.pmax.x) * 0.5f, hx = (cell.pmax.x - cell.pmin.x) * 0.5f;
        const float cy = (cell.pmin.y + cell.pmax.y) * 0.5f, hy = (cell.pmax.y - cell.pmin.y) * 0.5f;
        const float an = std::fabs(nx), bn = std::fabs(ny);
        const float reach = std::fabs(nx * ux + ny * uy) + std::fabs(nx * vx + ny * vy) + margin * (an + bn);
        return std::fabs(nx * (cx - ox) + ny * (cy - oy)) <= reach + an * hx + bn * hy;
    }

    bool TouchesAlongWorldAxes(const Box3& cell) const {
        return TouchesAlong(1.0f, 0.0f, cell) && TouchesAlong(0.0f, 1.0f, cell);
    }

    bool TouchesAlongWayNormals(const Box3& cell) const {
        return TouchesAlong(-uy, ux, cell) && TouchesAlong(-vy, vx, cell);
    }
};

}  // namespace

bool WayOverlapsBox(const WayRecord& way, const Box3& cell) {
    if (way.IsInert()) return false;
    // Closed, so that a way that only touches the cell's boundary, where a probe still descends
    // into the cell, is held there.
    const Reach reach(way);
    return reach.TouchesAlongWorldAxes(cell) && reach.TouchesAlongWayNormals(cell);
}

void AddWayToBox(const WayRecord& way, Box3& box) {
    for (const Point3& c : way.corner)
        if (std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z)) box += c;
}
