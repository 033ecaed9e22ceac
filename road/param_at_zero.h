// Parameters as the road objects read them: at time 0, whatever the evaluation time, and held
// inside the range the block declares, so a value written past it (a scene file, a script, an
// old save) cannot reach the lanes.
#pragma once

#include <cstdint>

#include "host/param_block.h"

// A NaN falls to the low end of the range.
float FloatAtZero(const IParamBlock2& pb, ParamID id);
int IntAtZero(const IParamBlock2& pb, ParamID id);
// 1 when the entry is set, else 0.
std::uint8_t FlagAtZero(const IParamBlock2& pb, ParamID id, int tab = 0);
