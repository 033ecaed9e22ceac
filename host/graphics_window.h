// A viewport's graphics window that records what is drawn, in world space, so that tests can
// assert it and the headless program can render it.
#pragma once

#include <vector>

#include "host/geom.h"

enum ColorType { LINE_COLOR = 0, FILL_COLOR, TEXT_COLOR, CLEAR_COLOR };

struct DrawRecord {
    enum class Kind { Segment, Polyline };
    Kind kind = Kind::Segment;
    Point3 color;
    bool closed = false;
    std::vector<Point3> points;  // world space
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
    void polyline(int count, const Point3* xyz, int closed);

    const std::vector<DrawRecord>& Records() const { return records_; }
    int SegmentRuns() const { return runs_; }
    // Segments drawn outside a startSegments/endSegments bracket.
    int LooseSegments() const { return loose_; }
    void ClearRecords();

private:
    Matrix3 transform_;
    Point3 lineColor_;
    std::vector<DrawRecord> records_;
    bool inRun_ = false;
    int runs_ = 0;
    int loose_ = 0;
};
