#include "road/lane_line.h"

#include <new>

#include "common/planar_geometry.h"
#include "host/shape.h"

int RoadSegmentCount(const PolyLine& polyline) {
    const int n = polyline.NumPts();
    if (n < 2) return 0;
    return polyline.IsClosed() ? n : n - 1;
}

bool BuildLaneLine(LaneLine& line, const PolyLine& polyline, const Matrix3& tm, float width) {
    line = LaneLine();
    const int n = polyline.NumPts();
    if (n < 2) return true;
    const bool closed = polyline.IsClosed();
    const int count = closed ? n + 1 : n;
    line.points = new (std::nothrow) Point3[count];
    line.sides = new (std::nothrow) Point3[count];
    if (line.points == nullptr || line.sides == nullptr) {
        FreeLaneLine(line);
        return false;
    }
    line.count = count;
    Point3* p = line.points;
    for (int m = 0; m < n; ++m) p[m] = polyline.pts[static_cast<std::size_t>(m)].p * tm;

    const Point3 firstNext = p[1] - p[0];
    line.sides[0] = MiterDirection(closed ? p[0] - p[n - 1] : firstNext, firstNext) * width;
    for (int m = 1; m < n - 1; ++m) line.sides[m] = MiterDirection(p[m] - p[m - 1], p[m + 1] - p[m]) * width;
    const Point3 lastPrev = p[n - 1] - p[n - 2];
    line.sides[n - 1] = MiterDirection(lastPrev, closed ? p[0] - p[n - 1] : lastPrev) * width;
    if (closed) {
        p[n] = p[0];
        line.sides[n] = line.sides[0];
    }
    return true;
}

void FreeLaneLine(LaneLine& line) {
    delete[] line.points;
    delete[] line.sides;
    line = LaneLine();
}
