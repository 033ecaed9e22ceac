#include "traffic/rect_helper.h"

#include <cmath>

#include "common/draw_line.h"
#include "traffic/rect_helper_params.h"

void RectHelperObject::GetSize(float& outLength, float& outWidth) const {
    outLength = pblock != nullptr ? pblock->GetFloat(kHalfLengthParam, 0) : cachedLength;
    outWidth = pblock != nullptr ? pblock->GetFloat(kHalfWidthParam, 0) : cachedWidth;
}

void RectHelperObject::UpdateCache() { GetSize(cachedLength, cachedWidth); }

void RectHelperObject::WriteDraggedSize(Point3 d) {
    pblock->SetValue(kHalfWidthParam, 0, std::fabs(d.x));
    pblock->SetValue(kHalfLengthParam, 0, std::fabs(d.y));
}

void RectHelperObject::DrawOutline(GraphicsWindow* gw) const {
    const float w = cachedWidth, l = cachedLength;
    DrawLine(gw, {-w, -l, 0.0f}, {-w, l, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {w, l, 0.0f});
    DrawLine(gw, {-w, -l, 0.0f}, {w, -l, 0.0f});
    DrawLine(gw, {-w, l, 0.0f}, {w, l, 0.0f});
}

void RectHelperObject::AddBoxPoints(Box3& box, const Matrix3& tm) const {
    const float w = cachedWidth, l = cachedLength;
    for (const Point3& p : {Point3(-w, -l, 0.0f), Point3(-w, l, 0.0f), Point3(w, -l, 0.0f), Point3(w, l, 0.0f),
                            Point3(0.0f, 0.0f, StandingHeight())})
        box += p * tm;
}
