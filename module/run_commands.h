// The panel's "Trace" press for the headless host, which has no roll-ups to press it in.
#pragma once

#include <cstdint>

#include "common/export.h"
#include "host/win32.h"

struct MarlovanRunReport {
    std::int32_t vehicles = 0;
    std::int32_t frames = 0;
    std::int64_t keys = 0;  // over every track of every vehicle
};

// Places the vehicles and traces them from start to end (ticks) on the surface node; the host
// interface is the panel's, as while the panel is open. The report may be null.
MARLOVAN_EXPORT void MarlovanTrace(ULONG surfaceHandle, std::int32_t startTime, std::int32_t endTime,
                                   MarlovanRunReport* report);
