#include "road/param_at_zero.h"

#include <algorithm>

namespace {
double Clamped(double v, const ParamDef& def) {
    if (!(v >= def.rangeLow)) return def.rangeLow;
    return std::min(v, def.rangeHigh);
}

const ParamDef& DefOf(const IParamBlock2& pb, ParamID id) { return *pb.GetDesc()->FindParam(id); }
}  // namespace

float FloatAtZero(const IParamBlock2& pb, ParamID id) {
    return static_cast<float>(Clamped(pb.GetFloat(id, 0), DefOf(pb, id)));
}

int IntAtZero(const IParamBlock2& pb, ParamID id) {
    return static_cast<int>(Clamped(pb.GetInt(id, 0), DefOf(pb, id)));
}

std::uint8_t FlagAtZero(const IParamBlock2& pb, ParamID id, int tab) { return pb.GetInt(id, 0, tab) != 0 ? 1 : 0; }
