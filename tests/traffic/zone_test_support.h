// Small builders and a brute-force overlap reference shared by the zone tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "common/vehicle_probe.h"
#include "common/zone_effect.h"
#include "host/geom.h"
#include "traffic/traffic_zone.h"

inline constexpr float kPi = std::numbers::pi_v<float>;

inline float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
inline int Pick(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A flat frame from its X and Y axes and origin, Z straight up.
inline Matrix3 Frame(Point3 xAxis, Point3 yAxis, Point3 origin) {
    return Matrix3(xAxis, yAxis, {0.0f, 0.0f, 1.0f}, origin);
}

inline Matrix3 FrameAt(float x, float y, float z = 0.0f) {
    return Frame({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {x, y, z});
}

inline TrafficZone MakeZone(const Matrix3& tm, float hx, float hy, std::uint32_t rule = RuleObstacle,
                            float speed = 5.0f, std::uint64_t owner = 0) {
    TrafficZone z;
    return z.Init(tm, owner, hx, hy, 0, rule, speed);
}

// A vehicle 2 wide, 4 long and 1.5 high whose body stands at the origin facing +Y, sampling p.
inline VehicleProbe ProbeAt(Point3 p, std::uint64_t owner = 1) {
    VehicleProbe probe;
    probe.position = p;
    probe.owner = owner;
    probe.size = {1.0f, 2.0f, 1.5f};
    return probe;
}

inline bool SameEffect(const ZoneEffect& a, const ZoneEffect& b) {
    return a.score == b.score && a.found == b.found && a.stopTerm == b.stopTerm && a.priority == b.priority &&
           a.speedCap == b.speedCap;
}

// Distinct values in every field, so that any change shows.
inline constexpr ZoneEffect kStartEffect{5.0, 3.0, 7.0, 8.0, 9.0f};

inline ZoneEffect Applied(const TrafficZone& zone, const VehicleProbe& probe) {
    ZoneEffect e = kStartEffect;
    zone.Apply(probe, e);
    return e;
}

struct Quad {
    double x[4], y[4];
};

inline Quad ZoneQuad(const TrafficZone& z) {
    Quad q;
    for (int i = 0; i < 4; ++i) q.x[i] = z.corners[i].x, q.y[i] = z.corners[i].y;
    return q;
}

inline Quad BoxQuad(const Box3& b) {
    return {{b.pmin.x, b.pmax.x, b.pmax.x, b.pmin.x}, {b.pmin.y, b.pmin.y, b.pmax.y, b.pmax.y}};
}

// Separating axes in double: the smallest overlap of the two projections over every edge normal
// of both quads, in length units. Positive exactly when the interiors meet, 0 when they only
// touch, else minus the widest gap. Exact for small dyadic coordinates.
inline double OverlapDepth(const Quad& a, const Quad& b) {
    double depth = INFINITY;
    for (const Quad* edges : {&a, &b}) {
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const double nx = edges->y[i] - edges->y[j], ny = edges->x[j] - edges->x[i];
            const double len = std::hypot(nx, ny);
            if (len == 0.0) continue;
            double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
            for (int k = 0; k < 2; ++k) {
                const Quad& q = k == 0 ? a : b;
                for (int c = 0; c < 4; ++c) {
                    lo[k] = std::min(lo[k], q.x[c] * nx + q.y[c] * ny);
                    hi[k] = std::max(hi[k], q.x[c] * nx + q.y[c] * ny);
                }
            }
            depth = std::min(depth, (std::min(hi[0], hi[1]) - std::max(lo[0], lo[1])) / len);
        }
    }
    return depth;
}
