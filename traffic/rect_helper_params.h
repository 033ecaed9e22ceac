// The parameters every rectangle helper's block begins with, and how they bind to spinners.
#pragma once

#include "host/param_block.h"

// Both half sizes are named "Width"; the second, labelled "Length:", is the half length along
// local Y. Saved scenes address them by these IDs only.
constexpr ParamID kHalfWidthParam = 0;
constexpr ParamID kHalfLengthParam = 1;

ParamDef HalfWidthParamDef();
ParamDef HalfLengthParamDef();

// A spinner with automatic scale on the edit and spinner controls given.
void BindSpinner(ParamBlockDesc2* desc, ParamID id, EditType editType, int editId, int spinId);
