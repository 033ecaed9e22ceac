#include "common/draw_line.h"
#include "host/graphics_window.h"
#include "vehicle/vehicle_state.h"

void VehicleState::DrawWire(GraphicsWindow* gw) const {
    gw->setColor(LINE_COLOR, 0.0f, 1.0f, 0.0f);
    const Point3 left(-halfWidth, 0.0f, 0.0f), right(halfWidth, 0.0f, 0.0f);
    gw->startSegments();
    for (int k = 0; k < 7; ++k) {
        DrawLine(gw, left * zones[k].tm, left * zones[k + 1].tm);
        DrawLine(gw, right * zones[k].tm, right * zones[k + 1].tm);
    }
    const Matrix3& farEnd = zones[7].tm;
    const float y = reverse ? -halfLength : halfLength;
    const Point3 farLeft(-halfWidth, y, 0.0f), farRight(halfWidth, y, 0.0f);
    DrawLine(gw, left * farEnd, farLeft * farEnd);
    DrawLine(gw, farLeft * farEnd, farRight * farEnd);
    DrawLine(gw, right * farEnd, farRight * farEnd);
    gw->endSegments();
}
