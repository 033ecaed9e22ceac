#include "road/way_overlap.h"

#include <cmath>

#include "common/box_helpers.h"

WayReach::WayReach(const WayRecord& way) {
    inert_ = way.IsInert();
    if (inert_) return;
    const Point3 o = way.frame.GetRow(3), x = way.frame.GetRow(0), y = way.frame.GetRow(1);
    ox_ = o.x, oy_ = o.y;
    const float ux = way.halfX * x.x, uy = way.halfX * x.y;
    const float vx = way.halfY * y.x, vy = way.halfY * y.y;
    // Covers rounding between this geometry and the inverse that the queries go through.
    const float margin = 1e-5f * (std::fabs(ox_) + std::fabs(oy_) + way.halfX + way.halfY);
    const float normals[4][2] = {{1.0f, 0.0f}, {0.0f, 1.0f}, {-uy, ux}, {-vy, vx}};
    for (int k = 0; k < 4; ++k) {
        const float nx = normals[k][0], ny = normals[k][1];
        const float an = std::fabs(nx), bn = std::fabs(ny);
        axes_[k] = {nx, ny, std::fabs(nx * ux + ny * uy) + std::fabs(nx * vx + ny * vy) + margin * (an + bn)};
    }
}

// Closed, so that a way that only touches the cell's boundary, where a probe still descends into
// the cell, is held there.
bool WayOverlapsBox(const WayReach& way, const Box3& cell) {
    if (way.inert_) return false;
    const float cx = (cell.pmin.x + cell.pmax.x) * 0.5f, hx = (cell.pmax.x - cell.pmin.x) * 0.5f;
    const float cy = (cell.pmin.y + cell.pmax.y) * 0.5f, hy = (cell.pmax.y - cell.pmin.y) * 0.5f;
    for (const WayReach::Axis& a : way.axes_)
        if (!(std::fabs(a.nx * (cx - way.ox_) + a.ny * (cy - way.oy_)) <= a.reach + std::fabs(a.nx) * hx + std::fabs(a.ny) * hy))
            return false;
    return true;
}

void AddWayToBox(const WayRecord& way, Box3& box) {
    for (const Point3& c : way.corner)
        if (IsFinite(c)) box += c;
}
