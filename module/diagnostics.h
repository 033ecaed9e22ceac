// What the headless host reports of the scene beyond what the host itself can see.
#pragma once

#include "common/export.h"
#include "host/win32.h"

// Builds the scene's road segments and lane network as a run would and reports their sizes.
// FALSE when either could not be built.
MARLOVAN_EXPORT BOOL MarlovanLaneNetworkSize(int* segments, int* ways);
