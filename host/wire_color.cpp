#include "host/wire_color.h"

#include <cmath>

DWORD NewNodeWireColor(unsigned n) {
    // Light and saturated enough to read on the viewport's dark grey.
    constexpr double v = 0.95, s = 0.6;
    const double hue = std::fmod(static_cast<double>(n) * 0.6180339887498949, 1.0) * 6.0;
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
    const double p = v * (1 - s), q = v * (1 - s * f), u = v * (1 - s * (1 - f));
    const double rgb[6][3] = {{v, u, p}, {q, v, p}, {p, v, u}, {p, q, v}, {u, p, v}, {v, p, q}};
    const auto channel = [](double c) { return static_cast<DWORD>(std::lround(c * 255.0)); };
    const double* c = rgb[sector];
    return channel(c[0]) | channel(c[1]) << 8 | channel(c[2]) << 16;
}
