#include "host/time.h"
#include "road/param_at_zero.h"
#include "road/road_mod.h"

bool RoadMod::GetRoadParams(RoadParams& out) const {
    if (pblock == nullptr) return false;
    const IParamBlock2& pb = *pblock;
    out.stripWidth = FloatAtZero(pb, kStripWidth);
    out.shift = FloatAtZero(pb, kRoadShift) / out.stripWidth;
    out.firstStrip = -IntAtZero(pb, kForwardStrip);
    out.backwardStrips = IntAtZero(pb, kBackwardStrip);
    out.reverse = FlagAtZero(pb, kReverse);
    const double kmPerUnit = GetMasterScale(UNITS_KILOMETERS);
    out.maxSpeed = static_cast<float>(static_cast<double>(FloatAtZero(pb, kMaxSpeed)) / (kmPerUnit * 3600.0));
    for (int k = 0; k < 3; ++k) out.enable[k] = FlagAtZero(pb, kEnable, k);
    return true;
}
