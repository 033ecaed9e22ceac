#include "road/way_record.h"

#include <cmath>

#include "common/box_helpers.h"


namespace {
bool IsFinite(const Matrix3& m) {
    for (int i = 0; i < 4; ++i)
        if (!IsFinite(m[i])) return false;
    return true;
}
}  // namespace

WayRecord::WayRecord() {
    frame.ClearFlags();
    inverse.ClearFlags();
}

void WayRecord::SetCorners(Point3 c0, Point3 c1, Point3 c2, Point3 c3) {
    corner[0] = c0;
    corner[1] = c1;
    corner[2] = c2;
    corner[3] = c3;
    UpdateFrame();
}

void WayRecord::UpdateFrame() {
    const Point3 x = Normalize((corner[1] + corner[2]) - (corner[0] + corner[3]));
    Point3 y = (corner[2] + corner[3]) - (corner[0] + corner[1]);
    y = Normalize(y - DotProd(x, y) * x);
    // Tight corners, crossed connectors and backward quads turn X x Y down; vehicles snapped or
    // placed on such a way would stand upside down.
    if (CrossProd(x, y).z < 0.0f) y = -y;
    const Point3 origin = (((corner[0] + corner[1]) + corner[2]) + corner[3]) * 0.25f;

    frame = Matrix3(x, y, {0.0f, 0.0f, 1.0f}, origin);
    frame.ClearFlags();
    inverse = frame;
    inverse.Invert();
    frame.SetRow(2, CrossProd(x, y));

    halfX = 0.0f;
    halfY = 0.0f;
    for (const Point3& c : corner) {
        const Point3 p = c * inverse;
        halfX = std::fmax(halfX, std::fabs(p.x));
        halfY = std::fmax(halfY, std::fabs(p.y));
    }
    minHalf = halfX > halfY ? halfY : halfX;

    const Point3 zero;
    if (x == zero || y == zero || !IsFinite(inverse) || !std::isfinite(halfX) || !std::isfinite(halfY)) {
        halfX = kInertHalf;
        halfY = kInertHalf;
        minHalf = kInertHalf;
    }
}

bool WayRecord::IsInert() const { return !(halfX >= 0.0f && halfY >= 0.0f); }

bool WayRecord::OpenTo(std::int32_t type) const { return type >= 0 && type < 3 && enable[type] != 0; }

