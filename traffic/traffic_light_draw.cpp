// What a traffic light draws: its rectangle, a direction chevron and a signal post whose lamp
// shows the signal at the time drawn.
#include <cmath>
#include <numbers>

#include "common/draw_line.h"
#include "host/graphics_window.h"
#include "traffic/traffic_light.h"

namespace {
constexpr int kLampTriangles = 64;
}  // namespace

void TrafficLightObject::DrawLight(GraphicsWindow* gw, TimeValue t) const {
    const float w = cachedWidth, l = cachedLength, h = cachedWidth / 2.0f;
    gw->startSegments();
    DrawLine(gw, {-w, l, 0.0f}, {-w, -l, 0.0f});
    DrawLine(gw, {w, l, 0.0f}, {w, -l, 0.0f});
    DrawLine(gw, {w, -l, 0.0f}, {-w, -l, 0.0f});
    DrawLine(gw, {w, l, 0.0f}, {-w, l, 0.0f});
    DrawLine(gw, {0.0f, w / 4.0f, 0.0f}, {-w / 2.0f, -w / 4.0f, 0.0f});
    DrawLine(gw, {0.0f, w / 4.0f, 0.0f}, {w / 2.0f, -w / 4.0f, 0.0f});
    DrawLine(gw, {-0.6f * h, 0.0f, 2.6f * h}, {-0.6f * h, 0.0f, 1.4f * h});
    DrawLine(gw, {0.6f * h, 0.0f, 2.6f * h}, {0.6f * h, 0.0f, 1.4f * h});
    DrawLine(gw, {0.6f * h, 0.0f, 1.4f * h}, {-0.6f * h, 0.0f, 1.4f * h});
    DrawLine(gw, {0.6f * h, 0.0f, 2.6f * h}, {-0.6f * h, 0.0f, 2.6f * h});
    DrawLine(gw, {-0.6f * h, 0.0f, 1.4f * h}, {-w, 0.0f, 0.0f});
    DrawLine(gw, {0.6f * h, 0.0f, 1.4f * h}, {w, 0.0f, 0.0f});
    gw->endSegments();
    DrawLamp(gw, t);
}

void TrafficLightObject::DrawLamp(GraphicsWindow* gw, TimeValue t) const {
    const Point3 colour = IsGreen(t) ? Point3(0.0f, 1.0f, 0.0f) : Point3(1.0f, 0.0f, 0.0f);
    gw->setColor(LINE_COLOR, colour);
    Material lamp;
    lamp.Kd = colour;
    lamp.opacity = 1.0f;
    lamp.selfIllum = 1.0f;
    lamp.dblSided = 1;
    gw->setMaterial(lamp);
    const float h = cachedWidth / 2.0f, r = h / 2.0f;
    const Point3 centre(0.0f, 0.0f, 2.0f * h);
    Point3 colours[3] = {colour, colour, colour};
    const auto rim = [&](int i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 32.0f;
        return centre + Point3(r * std::sin(a), 0.0f, r * std::cos(a));
    };
    for (int i = 1; i <= kLampTriangles; ++i) {
        Point3 corners[3] = {rim(i), rim(i - 1), centre};
        gw->triangle(corners, colours);
    }
}
