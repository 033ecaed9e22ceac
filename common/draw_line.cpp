#include "common/draw_line.h"

void DrawLine(GraphicsWindow* gw, Point3 p0, Point3 p1) {
    const Point3 pts[2] = {p0, p1};
    gw->segment(pts, 1);
}
