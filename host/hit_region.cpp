#include "host/hit_region.h"

#include <algorithm>
#include <cmath>

namespace {

double PointSegmentDistance(double px, double py, const Point3& a, const Point3& b) {
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double len2 = dx * dx + dy * dy;
    double u = len2 > 0.0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(a.x + u * dx - px, a.y + u * dy - py);
}

bool InsideRect(const HitRegion& r, const Point3& p) {
    return p.x >= r.rectMin.x && p.x <= r.rectMax.x && p.y >= r.rectMin.y && p.y <= r.rectMax.y;
}

// Liang-Barsky: whether some part of a-b lies in the box. NaN coordinates count as outside.
bool CrossesRect(const HitRegion& r, const Point3& a, const Point3& b) {
    const double d[2] = {double(b.x) - a.x, double(b.y) - a.y};
    const double start[2] = {a.x, a.y};
    const double lo[2] = {double(r.rectMin.x), double(r.rectMin.y)};
    const double hi[2] = {double(r.rectMax.x), double(r.rectMax.y)};
    double t0 = 0.0, t1 = 1.0;
    for (int k = 0; k < 2; ++k) {
        if (!std::isfinite(d[k]) || !std::isfinite(start[k])) return false;
        if (d[k] == 0.0) {
            if (start[k] < lo[k] || start[k] > hi[k]) return false;
            continue;
        }
        double ta = (lo[k] - start[k]) / d[k], tb = (hi[k] - start[k]) / d[k];
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace

void MakeHitRegion(HitRegion& hr, int type, int crossing, int epsilon, IPoint2* p) {
    hr = HitRegion{};
    hr.crossing = crossing;
    hr.epsilon = epsilon;
    if (p == nullptr) return;
    if (type == HITTYPE_POINT) {
        hr.kind = HitRegion::Kind::Point;
        hr.point = p[0];
    } else if (type == HITTYPE_BOX) {
        hr.kind = HitRegion::Kind::Rect;
        hr.rectMin = {std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y)};
        hr.rectMax = {std::max(p[0].x, p[1].x), std::max(p[0].y, p[1].y)};
    }
}

std::optional<float> SegmentHitDistance(const HitRegion& region, const Point3& a, const Point3& b) {
    switch (region.kind) {
        case HitRegion::Kind::Point: {
            const double d = PointSegmentDistance(region.point.x, region.point.y, a, b);
            if (d <= region.epsilon) return static_cast<float>(d);
            return std::nullopt;
        }
        case HitRegion::Kind::Rect: {
            const bool hit =
                region.crossing != 0 ? CrossesRect(region, a, b) : InsideRect(region, a) && InsideRect(region, b);
            if (hit) return 0.0f;
            return std::nullopt;
        }
        case HitRegion::Kind::None: break;
    }
    return std::nullopt;
}
