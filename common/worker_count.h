// How many worker threads a run, a zone index build or an octree build may keep busy.
#pragma once

#include <cstdint>

// The logical processor count, kept within 1 to 8.
std::int32_t GetWorkerThreadCount();
