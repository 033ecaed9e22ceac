#include "host/time.h"

#include <algorithm>
#include <atomic>

namespace {
// Constant-initialised, so reads during static initialisation of a module are safe.
constinit std::atomic<int> ticksPerFrame{160};
constinit std::atomic<double> sceneUnitMetres{0.01};

double MetresPerUnit(int code) {
    switch (code) {
        case UNITS_INCHES: return 0.0254;
        case UNITS_FEET: return 0.3048;
        case UNITS_MILES: return 1609.344;
        case UNITS_MILLIMETERS: return 0.001;
        case UNITS_CENTIMETERS: return 0.01;
        case UNITS_METERS: return 1.0;
        case UNITS_KILOMETERS: return 1000.0;
        default: return 1.0;
    }
}
}  // namespace

int GetTicksPerFrame() { return ticksPerFrame.load(std::memory_order_relaxed); }

void SetTicksPerFrame(int ticks) { ticksPerFrame.store(ticks > 0 ? ticks : 1, std::memory_order_relaxed); }

double GetMasterScale(int unitCode) {
    return sceneUnitMetres.load(std::memory_order_relaxed) / MetresPerUnit(unitCode);
}

void SetSceneUnitMetres(double metres) { sceneUnitMetres.store(metres, std::memory_order_relaxed); }

Interval& Interval::operator&=(const Interval& o) {
    start = std::max(start, o.start);
    end = std::min(end, o.end);
    return *this;
}
