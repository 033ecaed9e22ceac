// Small builders and a brute-force overlap reference shared by the zone tests.
#pragma once

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
