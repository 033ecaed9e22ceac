// Parameters the helpers' blocks share, and how they bind to spinners.
#pragma once

#include "host/param_block.h"

// A size of a helper: named "Width" whatever it measures (saved scenes address the sizes by ID
// only), 100 by default, from the single-precision 0.0001 to 100000.
ParamDef SizeParamDef(ParamID id);

// A spinner with automatic scale on the edit and spinner controls given.
void BindSpinner(ParamBlockDesc2* desc, ParamID id, EditType editType, int editId, int spinId);
