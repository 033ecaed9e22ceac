#include "host/graphics_window.h"

#include <cmath>

void GraphicsWindow::setColor(ColorType type, float r, float g, float b) {
    if (type == LINE_COLOR) lineColor_ = {r, g, b};
}

void GraphicsWindow::startSegments() {
    if (Picking()) return;
    inRun_ = true;
    ++runs_;
}

void GraphicsWindow::endSegments() { inRun_ = false; }

void GraphicsWindow::segment(const Point3* xyz, int vis) {
    if (xyz == nullptr || vis == 0) return;
    if (Picking()) return Pick(xyz, 2, false);
    if (!inRun_) ++loose_;
    records_.push_back({DrawRecord::Kind::Segment, lineColor_, false, {xyz[0] * transform_, xyz[1] * transform_}});
}

void GraphicsWindow::polyline(int count, Point3* xyz, Point3*, int closed, int*) {
    if (xyz == nullptr || count <= 0) return;
    if (Picking()) return Pick(xyz, count, closed != 0);
    DrawRecord rec{DrawRecord::Kind::Polyline, lineColor_, closed != 0, {}};
    rec.points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) rec.points.push_back(xyz[i] * transform_);
    records_.push_back(std::move(rec));
}

void GraphicsWindow::triangle(Point3* xyz, Point3* rgb) {
    if (xyz == nullptr) return;
    if (Picking()) {
        PickInside(xyz);
        return Pick(xyz, 3, true);
    }
    DrawRecord rec{DrawRecord::Kind::Triangle, rgb != nullptr ? rgb[0] : material_.Kd, true, {}, {}, material_};
    for (int i = 0; i < 3; ++i) {
        rec.points.push_back(xyz[i] * transform_);
        rec.vertexColors.push_back(rgb != nullptr ? rgb[i] : material_.Kd);
    }
    records_.push_back(std::move(rec));
}

void GraphicsWindow::ClearRecords() {
    records_.clear();
    runs_ = loose_ = 0;
    inRun_ = false;
}

void GraphicsWindow::setHitRegion(HitRegion* region) { region_ = region != nullptr ? *region : HitRegion{}; }

void GraphicsWindow::clearHitCode() {
    hit_ = false;
    hitDistance_ = 0.0f;
}

DWORD GraphicsWindow::getHitDistance() const {
    return hit_ ? static_cast<DWORD>(std::lround(hitDistance_)) : 0xFFFFFFFFu;
}

void GraphicsWindow::Pick(const Point3* xyz, int count, bool closed) {
    const auto screen = [this](const Point3& p) { return mapping_.ToScreen(p * transform_); };
    const Point3 first = screen(xyz[0]);
    Point3 prev = first;
    const int edges = closed ? count : count - 1;
    for (int i = 1; i <= edges; ++i) {
        const Point3 next = i < count ? screen(xyz[i]) : first;
        if (const auto d = SegmentHitDistance(region_, prev, next); d && (!hit_ || *d < hitDistance_)) {
            hit_ = true;
            hitDistance_ = *d;
        }
        prev = next;
    }
}

void GraphicsWindow::PickInside(const Point3* xyz) {
    if (region_.kind != HitRegion::Kind::Point) return;
    Point3 s[3];
    for (int i = 0; i < 3; ++i) s[i] = mapping_.ToScreen(xyz[i] * transform_);
    const double px = region_.point.x, py = region_.point.y;
    double sides[3];
    for (int i = 0; i < 3; ++i) {
        const Point3& a = s[i];
        const Point3& b = s[(i + 1) % 3];
        sides[i] = (double(b.x) - a.x) * (py - a.y) - (double(b.y) - a.y) * (px - a.x);
    }
    const bool inside = (sides[0] >= 0 && sides[1] >= 0 && sides[2] >= 0) || (sides[0] <= 0 && sides[1] <= 0 && sides[2] <= 0);
    if (inside) {
        hit_ = true;
        hitDistance_ = 0.0f;
    }
}
