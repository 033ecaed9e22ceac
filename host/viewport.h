// A viewport as the plug-in sees it: its graphics window, an orthographic top view of the
// construction plane (world XY, z = 0), snapping and the hits logged by hit tests.
#pragma once

#include <optional>
#include <vector>

#include "host/graphics_window.h"
#include "host/win32.h"

class INode;
class HitData;

struct ViewHit {
    INode* node;
    DWORD distance;
    ULONG info;
    HitData* extra;
};

class ViewExp {
public:
    GraphicsWindow* getGW() { return &gw_; }

    // The window keeps the mapping, so drawing and picking agree with snapping. A mapping that
    // cannot be inverted is refused.
    bool SetScreenMapping(const ScreenMapping& mapping);
    const ScreenMapping& GetScreenMapping() const { return gw_.GetScreenMapping(); }
    // Snapped points land on multiples of step in x and y; 0 turns snapping off.
    void SetGridStep(float step) { gridStep_ = step; }

    // The construction-plane point under `in`, snapped; `out` gets its pixel position and may be
    // `in` itself. Only the construction plane exists here, so plane2d and flags change nothing.
    Point3 SnapPoint(const IPoint2& in, IPoint2& out, Matrix3* plane2d = nullptr, DWORD flags = 0);
    // Shows where a click would snap to; the point is kept as the last preview.
    void SnapPreview(const IPoint2& in, IPoint2& out, Matrix3* plane2d = nullptr, DWORD flags = 0);
    const std::optional<Point3>& LastSnapPreview() const { return preview_; }

    void LogHit(INode* node, DWORD distance, ULONG info, HitData* extra);
    const std::vector<ViewHit>& Hits() const { return hits_; }
    // The node of the nearest hit logged (the first of equals), or null.
    INode* GetClosestHit() const;
    void ClearHits() { hits_.clear(); }

private:
    GraphicsWindow gw_;
    float gridStep_ = 0.0f;
    std::optional<Point3> preview_;
    std::vector<ViewHit> hits_;
};
