// The rectangle helpers (speed limiter, obstacle, stop line, traffic light): a helper whose
// block holds the half width and half length of a rectangle in its node's XY plane, created by
// dragging from the rectangle's centre.
#pragma once

#include "common/helper_frame.h"

class RectHelperObject : public HelperFrame {
public:
    // Half length and half width from the block at time 0; the cached values without a block.
    void GetSize(float& length, float& width) const;
    void UpdateCache() override;

protected:
    using HelperFrame::HelperFrame;

    // The height of a part that stands above the rectangle's centre; the boxes take it in.
    virtual float StandingHeight() const { return 0.0f; }
    // The four sides: the two along Y, then the near (-Y) and far (+Y) edges. No bracket.
    void DrawOutline(GraphicsWindow* gw) const;
    void AddBoxPoints(Box3& box, const Matrix3& tm) const override;
    void WriteDraggedSize(Point3 d) override;

    float cachedLength = 0.0f;  // half length along local Y
    float cachedWidth = 0.0f;   // half width along local X
};
