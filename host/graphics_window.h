// A viewport's graphics window that records what is drawn, in world space, so that tests can
// assert it and the headless program can render it. In pick mode it draws nothing and measures
// instead how far each primitive passes from the hit region, on the view's pixels.
#pragma once

#include <vector>

#include "host/geom.h"
#include "host/hit_region.h"
#include "host/screen_mapping.h"
#include "host/win32.h"

enum ColorType { LINE_COLOR = 0, FILL_COLOR, TEXT_COLOR, CLEAR_COLOR };

// Render-limit bits.
constexpr DWORD GW_ILLUM = 0x2;
constexpr DWORD GW_PICK = 0x1000;

// A surface's look; only what helpers that draw filled shapes set.
struct Material {
    Point3 Kd;  // diffuse colour
    float opacity = 1.0f;
    float selfIllum = 0.0f;
    int dblSided = 0;
};

struct DrawRecord {
    enum class Kind { Segment, Polyline, Triangle };
    Kind kind = Kind::Segment;
    Point3 color;  // the line colour; a triangle's first vertex colour
    bool closed = false;
    std::vector<Point3> points;  // world space
    std::vector<Point3> vertexColors{};  // triangles: one per point
    Material material{};  // triangles: the material they were drawn with
};

class GraphicsWindow {
public:
    void setTransform(const Matrix3& m) { transform_ = m; }
    const Matrix3& getTransform() const { return transform_; }
    void setColor(ColorType type, float r, float g, float b);
    void setColor(ColorType type, const Point3& rgb) { setColor(type, rgb.x, rgb.y, rgb.z); }

    void startSegments();
    void endSegments();
    // Draws the segment xyz[0]-xyz[1] in object space; vis 0 draws nothing.
    void segment(const Point3* xyz, int vis);
    // The host's polyline: vertex colours and edge flags may be null; the record takes the
    // line colour and every edge, as no caller passes either.
    void polyline(int count, Point3* xyz, Point3* rgb, int closed, int* es);
    void setMaterial(const Material& m) { material_ = m; }
    const Material& getMaterial() const { return material_; }
    // The host's filled triangle in object space with a colour per vertex; null colours take
    // the material's diffuse colour.
    void triangle(Point3* xyz, Point3* rgb);

    const std::vector<DrawRecord>& Records() const { return records_; }
    int SegmentRuns() const { return runs_; }
    // Segments drawn outside a startSegments/endSegments bracket.
    int LooseSegments() const { return loose_; }
    void ClearRecords();

    // Picking. The region is copied; null hits nothing.
    void setHitRegion(HitRegion* region);
    DWORD getRndLimits() const { return rndLimits_; }
    void setRndLimits(DWORD limits) { rndLimits_ = limits; }
    void clearHitCode();
    int checkHitCode() const { return hit_ ? 1 : 0; }
    // Pixels, rounded, from the region to the nearest primitive that hit since the last clear.
    DWORD getHitDistance() const;

    // The view's pixels that picks are measured on; the viewport owning the window sets it.
    void SetScreenMapping(const ScreenMapping& mapping) { mapping_ = mapping; }
    const ScreenMapping& GetScreenMapping() const { return mapping_; }

private:
    bool Picking() const { return (rndLimits_ & GW_PICK) != 0; }
    void Pick(const Point3* xyz, int count, bool closed);
    // A point region inside a filled triangle hits it at distance 0.
    void PickInside(const Point3* xyz);

    Matrix3 transform_;
    Point3 lineColor_;
    Material material_;
    std::vector<DrawRecord> records_;
    bool inRun_ = false;
    int runs_ = 0;
    int loose_ = 0;
    ScreenMapping mapping_;
    HitRegion region_;
    DWORD rndLimits_ = GW_ILLUM;
    bool hit_ = false;
    float hitDistance_ = 0.0f;
};
