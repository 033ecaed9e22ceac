#include "traffic/zone_shape.h"

#include "common/box_helpers.h"

namespace {
// About 170 units in the last place of the lengths involved: many times what TrafficZone::Init,
// Matrix3::Invert, TrafficZone::Apply and the square arithmetic can round away, and still far
// below any zone or cell size that matters.
constexpr float kAllowance = 1.0f / 16384.0f;

double Length(double x, double y) { return std::sqrt(x * x + y * y); }
}  // namespace

bool IsIndexable(const TrafficZone& zone) {
    for (const Point3& corner : zone.corners)
        if (!IsFinite(corner)) return false;
    for (int row = 0; row < 4; ++row)
        if (!IsFinite(zone.inverse[row])) return false;
    return std::isfinite(zone.hx) && std::isfinite(zone.hy) && std::isfinite(zone.minHalf);
}

void MakeZoneShape(const TrafficZone& zone, ZoneBounds& bounds, ZoneAxes& axes) {
    ZoneBounds& b = bounds;
    b.minX = b.maxX = zone.corners[0].x;
    b.minY = b.maxY = zone.corners[0].y;
    float magnitude = 0.0f;
    for (const Point3& c : zone.corners) {
        b.minX = std::min(b.minX, c.x);
        b.maxX = std::max(b.maxX, c.x);
        b.minY = std::min(b.minY, c.y);
        b.maxY = std::max(b.maxY, c.y);
        magnitude = std::max({magnitude, std::fabs(c.x), std::fabs(c.y)});
    }
    // The edges along local X are normal to the perpendicular of the X axis, and likewise for Y.
    const double axis[2][2] = {{zone.tm[0].x, zone.tm[0].y}, {zone.tm[1].x, zone.tm[1].y}};
    const double length[2] = {Length(axis[0][0], axis[0][1]), Length(axis[1][0], axis[1][1])};
    for (int k = 0; k < 2; ++k) {
        const double nx = -axis[k][1] / length[k], ny = axis[k][0] / length[k];
        double low = INFINITY, high = -INFINITY;
        for (const Point3& c : zone.corners) {
            const double d = nx * c.x + ny * c.y;
            low = std::min(low, d);
            high = std::max(high, d);
        }
        axes.normalX[k] = static_cast<float>(nx);
        axes.normalY[k] = static_cast<float>(ny);
        axes.low[k] = static_cast<float>(low);
        axes.high[k] = static_cast<float>(high);
    }
    // Rounding in the zone's local frame grows in world units as its axes close up.
    const double sine = std::fabs(axis[0][0] * axis[1][1] - axis[0][1] * axis[1][0]) / (length[0] * length[1]);
    b.allowance = static_cast<float>(kAllowance * magnitude / sine);
    b.minHalf = zone.minHalf;
}

QuadrantSquares MakeQuadrantSquares(const Box3 (&squares)[4]) {
    QuadrantSquares s;
    for (int q = 0; q < 4; ++q) {
        const Box3& sq = squares[q];
        s.minX[q] = sq.pmin.x;
        s.minY[q] = sq.pmin.y;
        s.maxX[q] = sq.pmax.x;
        s.maxY[q] = sq.pmax.y;
        s.centreX[q] = (sq.pmin.x + sq.pmax.x) * 0.5f;
        s.centreY[q] = (sq.pmin.y + sq.pmax.y) * 0.5f;
        s.halfX[q] = (sq.pmax.x - sq.pmin.x) * 0.5f;
        s.halfY[q] = (sq.pmax.y - sq.pmin.y) * 0.5f;
        s.allowance[q] =
            kAllowance * std::max({std::fabs(sq.pmin.x), std::fabs(sq.pmin.y), std::fabs(sq.pmax.x), std::fabs(sq.pmax.y)});
    }
    return s;
}
