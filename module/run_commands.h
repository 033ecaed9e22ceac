// What the headless host reports of the panel's latest run, which the host itself cannot see.
#pragma once

#include <cstdint>

#include "common/export.h"
#include "host/win32.h"

struct MarlovanRunReport {
    std::int32_t vehicles = 0;
    std::int32_t frames = 0;
    std::int64_t keys = 0;  // over every track of every vehicle
};

// The panel's frame count of its latest run, and the scene's vehicles with their recorded keys.
MARLOVAN_EXPORT void MarlovanRunSummary(MarlovanRunReport* report);
