// The parameters every rectangle helper's block begins with.
#pragma once

#include "common/helper_params.h"

// The second half size, labelled "Length:", is the half length along local Y.
constexpr ParamID kHalfWidthParam = 0;
constexpr ParamID kHalfLengthParam = 1;
