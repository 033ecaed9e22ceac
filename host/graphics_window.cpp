#include "host/graphics_window.h"

void GraphicsWindow::setColor(ColorType type, float r, float g, float b) {
    if (type == LINE_COLOR) lineColor_ = {r, g, b};
}

void GraphicsWindow::startSegments() {
    inRun_ = true;
    ++runs_;
}

void GraphicsWindow::endSegments() { inRun_ = false; }

void GraphicsWindow::segment(const Point3* xyz, int vis) {
    if (xyz == nullptr || vis == 0) return;
    if (!inRun_) ++loose_;
    records_.push_back({DrawRecord::Kind::Segment, lineColor_, false, {xyz[0] * transform_, xyz[1] * transform_}});
}

void GraphicsWindow::polyline(int count, const Point3* xyz, int closed) {
    if (xyz == nullptr || count <= 0) return;
    DrawRecord rec{DrawRecord::Kind::Polyline, lineColor_, closed != 0, {}};
    rec.points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) rec.points.push_back(xyz[i] * transform_);
    records_.push_back(std::move(rec));
}

void GraphicsWindow::ClearRecords() {
    records_.clear();
    runs_ = loose_ = 0;
    inRun_ = false;
}
