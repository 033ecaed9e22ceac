// The sampled lane frame of one road polyline in world space: its points and, per point, the
// offset of one lane width to the left of the point order.
#pragma once

#include <cstdint>

#include "host/geom.h"

class PolyLine;

struct LaneLine {
    Point3* points = nullptr;  // a closed polyline repeats point 0 at the end
    Point3* sides = nullptr;   // horizontal; longer than a lane width at corners
    std::int32_t count = 0;
};

// Segments a road polyline contributes: none below two points, which give no direction.
int RoadSegmentCount(const PolyLine& polyline);

// Fills line from the polyline taken through tm. A polyline of fewer than two points gives an
// empty line. False when the arrays cannot be allocated; the line is then empty.
bool BuildLaneLine(LaneLine& line, const PolyLine& polyline, const Matrix3& tm, float width);
void FreeLaneLine(LaneLine& line);

// Point m moved offset lane widths to its left along its side vector.
inline Point3 LanePoint(const LaneLine& line, int m, float offset) { return line.points[m] + line.sides[m] * offset; }
