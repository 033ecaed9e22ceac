#include <algorithm>

#include "host/time.h"
#include "road/road_mod.h"

namespace {

// The parameter's stored range; a NaN falls to the low end.
double Clamped(double v, const ParamDef& def) {
    if (!(v >= def.rangeLow)) return def.rangeLow;
    return std::min(v, def.rangeHigh);
}

float FloatAtZero(const IParamBlock2& pb, ParamID id) {
    const ParamDef& def = *pb.GetDesc()->FindParam(id);
    return static_cast<float>(Clamped(pb.GetFloat(id, 0), def));
}

int IntAtZero(const IParamBlock2& pb, ParamID id) {
    const ParamDef& def = *pb.GetDesc()->FindParam(id);
    return static_cast<int>(Clamped(pb.GetInt(id, 0), def));
}

std::uint8_t FlagAtZero(const IParamBlock2& pb, ParamID id, int tab = 0) { return pb.GetInt(id, 0, tab) != 0 ? 1 : 0; }

}  // namespace

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
