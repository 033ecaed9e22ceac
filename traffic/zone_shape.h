// A zone's XY outline as the index sees it, and the closed overlap test of an outline with a
// node's square. Both allow for rounding, so that every probe that TrafficZone::Apply accepts
// lies in every square and every bound that the zone is tested against.
#pragma once

#include <algorithm>
#include <cmath>

#include "host/geom.h"
#include "traffic/traffic_zone.h"

// What the build reads of every zone it filters, kept small.
struct ZoneBounds {
    float minX, minY, maxX, maxY;  // bounds of the corners
    float minHalf;
    float allowance;  // the zone's own rounding allowance
};

// What it reads only of zones whose bounds reach the square.
struct ZoneAxes {
    float normalX[2], normalY[2];  // unit normals of the edges along local X and along local Y
    float low[2], high[2];         // the corners' extent along each normal
};

// Corners, inverse and extents all finite: only such zones enter the trees.
bool IsIndexable(const TrafficZone& zone);

void MakeZoneShape(const TrafficZone& zone, ZoneBounds& bounds, ZoneAxes& axes);

// The four quadrants of a node's square, one lane per quadrant, with what the overlap test
// needs of them.
struct QuadrantSquares {
    float minX[4], minY[4], maxX[4], maxY[4];
    float centreX[4], centreY[4], halfX[4], halfY[4];
    float allowance[4];  // each square's own rounding allowance
};

QuadrantSquares MakeQuadrantSquares(const Box3 (&squares)[4]);

// TrafficZone::OverlapsBox of the four quadrants at once, on the zone's prepared outline: bit q
// set when the zone touches quadrant q, tested against its bounds and along its own edge normals. Touching counts, and so does a gap within the larger of the two rounding allowances.
// Every lane takes the same steps without branching, which keeps the four tests cheap.
inline unsigned QuadrantMask(const ZoneBounds& b, const ZoneAxes& a, const QuadrantSquares& s) {
    unsigned mask = 0;
    for (int q = 0; q < 4; ++q) {
        const float tol = std::max(b.allowance, s.allowance[q]);
        bool apart = (b.minX > s.maxX[q] + tol) | (b.maxX < s.minX[q] - tol) | (b.minY > s.maxY[q] + tol) |
                     (b.maxY < s.minY[q] - tol);
        for (int k = 0; k < 2; ++k) {
            const float c = a.normalX[k] * s.centreX[q] + a.normalY[k] * s.centreY[q];
            const float r = std::fabs(a.normalX[k]) * s.halfX[q] + std::fabs(a.normalY[k]) * s.halfY[q];
            apart |= (a.low[k] > c + r + tol) | (a.high[k] < c - r - tol);
        }
        mask |= static_cast<unsigned>(!apart) << q;
    }
    return mask;
}

// XY bounds outside which TrafficZone::Apply accepts no probe.
struct ApplyBounds {
    float minX, minY, maxX, maxY;
};

inline ApplyBounds ApplyBoundsOf(const ZoneBounds& b) {
    return {b.minX - b.allowance, b.minY - b.allowance, b.maxX + b.allowance, b.maxY + b.allowance};
}
