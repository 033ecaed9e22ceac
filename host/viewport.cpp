#include "host/viewport.h"

#include <algorithm>
#include <cmath>

namespace {
float SnapToGrid(float v, float step) { return step > 0.0f ? std::round(v / step) * step : v; }

int RoundPixel(float v) { return std::isfinite(v) ? static_cast<int>(std::lround(std::clamp(v, -2e9f, 2e9f))) : 0; }
}  // namespace

bool ViewExp::SetScreenMapping(const ScreenMapping& mapping) {
    if (!mapping.IsValid()) return false;
    gw_.SetScreenMapping(mapping);
    return true;
}

Point3 ViewExp::SnapPoint(const IPoint2& in, IPoint2& out, Matrix3*, DWORD) {
    const ScreenMapping& view = GetScreenMapping();
    Point3 p = view.ToWorld(static_cast<float>(in.x), static_cast<float>(in.y));
    p.x = SnapToGrid(p.x, gridStep_);
    p.y = SnapToGrid(p.y, gridStep_);
    const Point3 s = view.ToScreen(p);
    out = {RoundPixel(s.x), RoundPixel(s.y)};
    return p;
}

void ViewExp::SnapPreview(const IPoint2& in, IPoint2& out, Matrix3* plane2d, DWORD flags) {
    preview_ = SnapPoint(in, out, plane2d, flags);
}

void ViewExp::LogHit(INode* node, DWORD distance, ULONG info, HitData* extra) {
    hits_.push_back({node, distance, info, extra});
}

INode* ViewExp::GetClosestHit() const {
    const ViewHit* best = nullptr;
    for (const ViewHit& hit : hits_)
        if (best == nullptr || hit.distance < best->distance) best = &hit;
    return best != nullptr ? best->node : nullptr;
}
