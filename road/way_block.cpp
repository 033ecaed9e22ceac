#include "road/way_block.h"

#include <cmath>

unsigned WayBlock::HitsXY(const Point3& p) const {
    int hit[kWays];
    for (int k = 0; k < kWays; ++k) {
        const float x = ((toX[0][k] * p.x + toX[1][k] * p.y) + toX[2][k] * p.z) + toX[3][k];
        const float y = ((toY[0][k] * p.x + toY[1][k] * p.y) + toY[2][k] * p.z) + toY[3][k];
        // Both tests always run: no branch, so the eight ways stay in step.
        hit[k] = static_cast<int>(std::fabs(x) <= halfX[k]) & static_cast<int>(std::fabs(y) <= halfY[k]);
    }
    unsigned mask = 0;
    for (int k = 0; k < kWays; ++k) mask |= static_cast<unsigned>(hit[k]) << k;
    return mask;
}
